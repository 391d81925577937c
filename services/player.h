// Now-playing state of a stand-in service: a playlist, the current track,
// play/pause and the position, which runs with the clock while playing; and
// the play-info reply built from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app_proto.h"

namespace svc {

struct Track {
    std::string title;
    std::string text2;
    std::string text3;
    uint32_t duration_ms;
};

// The error status the stand-ins answer with: any status but WAITING, READY
// and OKAY is one.
constexpr uint8_t kStatusError = 2;

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
    std::vector<uint8_t> play_info(InfoForm form, uint8_t status = CMD_STATUS_OKAY, bool with_texts = true);

    const Track &current() const
    {
        return tracks_[index_];
    }
    bool playing() const
    {
        return playing_;
    }

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
