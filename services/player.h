// Now-playing state of a stand-in service: a playlist, the current track,
// play/pause and the position, which runs with the clock while playing; and
// the play-info reply built from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace svc {

struct Track {
    std::string title;
    std::string text2;
    std::string text3;
    uint32_t duration_ms;
};

// Player message codes.
constexpr uint8_t kPlayerMsg = 0xF7;
constexpr uint8_t kCtrlNext = 1;
constexpr uint8_t kCtrlPrevious = 2;
constexpr uint8_t kCtrlPlayPause = 3;
constexpr uint8_t kCtrlPlayInfo = 20;
constexpr uint8_t kDirReply = 2;
constexpr uint8_t kStatusWaiting = 1;
constexpr uint8_t kStatusReady = 5;
constexpr uint8_t kStatusOkay = 6;
constexpr uint8_t kStatusError = 2;
constexpr uint8_t kClassBrowse = 0x20;
constexpr uint8_t kClassPlayer = 0x25;

enum class InfoForm { long_form, short_form };

struct AudioFormat {
    uint8_t channels;
    uint32_t sample_rate;
    uint32_t bit_rate;
};

class Player {
public:
    Player(std::vector<Track> tracks, const char *art_path, AudioFormat format);

    // Applies a transport code (next, previous, play/pause); other codes are
    // ignored. Returns true when the track changed.
    bool control(uint8_t code);
    // Replaces the playlist with one track and plays it from the start.
    void play_single(const Track &track);

    // The play-info reply: header, control byte 20, player header and texts.
    // With texts the state byte is 1, else 0 (nothing playing); `status`
    // goes into the header.
    std::vector<uint8_t> play_info(InfoForm form, uint8_t status = kStatusOkay, bool with_texts = true);

    const Track &current() const { return tracks_[index_]; }
    bool playing() const { return playing_; }

private:
    uint32_t position_now();
    void select(size_t index);

    std::vector<Track> tracks_;
    size_t index_ = 0;
    bool playing_ = true;
    uint32_t base_position_ms_ = 0;
    uint64_t since_ms_ = 0;
    const char *art_path_;
    AudioFormat format_;
    unsigned art_seed_ = 0;
};

} // namespace svc
