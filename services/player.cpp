#include "player.h"

#include <cstdio>

#include "cover_art.h"
#include "service.h"

namespace svc {

namespace {

constexpr int kArtSize = 240;
constexpr uint32_t kTrailer = 0x51554F52; // opaque trailing data of the long form

} // namespace

Player::Player(std::vector<Track> tracks, const char *art_path, AudioFormat format)
    : tracks_(std::move(tracks)), art_path_(art_path), format_(format)
{
    select(0);
}

void Player::select(size_t index)
{
    index_ = index % tracks_.size();
    base_position_ms_ = 0;
    since_ms_ = Service::now_ms();
    if (write_cover_art(art_path_, art_seed_++, kArtSize) != 0)
        fprintf(stderr, "cannot write cover art %s\n", art_path_);
}

uint32_t Player::position_now()
{
    uint64_t pos = base_position_ms_;
    if (playing_)
        pos += Service::now_ms() - since_ms_;
    uint32_t dur = tracks_[index_].duration_ms;
    if (dur && pos >= dur) {
        select(index_ + 1); // the track ended: on to the next one
        return 0;
    }
    return (uint32_t)pos;
}

bool Player::control(uint8_t code)
{
    switch (code) {
    case MEDIA_CTRL_NEXT:
        select(index_ + 1);
        return true;
    case MEDIA_CTRL_PREVIOUS:
        select(index_ + tracks_.size() - 1);
        return true;
    case MEDIA_CTRL_PLAY_PAUSE:
        base_position_ms_ = position_now();
        since_ms_ = Service::now_ms();
        playing_ = !playing_;
        return false;
    default:
        return false;
    }
}

void Player::play_single(const Track &track)
{
    tracks_.assign(1, track);
    playing_ = true;
    select(0);
}

std::vector<uint8_t> Player::play_info(InfoForm form, uint8_t status, bool with_texts)
{
    uint32_t pos = position_now();
    const Track &t = tracks_[index_];
    bool has_texts = with_texts;
    std::vector<uint8_t> out;
    put_u8(out, MSG_DIR_REPLY);
    put_u8(out, status);
    put_u8(out, MSG_CLASS_PLAYER);
    put_u8(out, MEDIA_CTRL_PLAY_INFO);
    put_be32(out, pos);
    put_be32(out, t.duration_ms);
    put_u8(out, has_texts ? PLAYER_STATE_TRACK : 0);
    put_u8(out, playing_ ? 1 : 0);
    put_u8(out, format_.channels);
    put_u8(out, 0);
    put_be32(out, format_.sample_rate);
    put_be32(out, format_.bit_rate);
    const std::string empty;
    const std::string &a = has_texts ? t.title : empty;
    const std::string &b = has_texts ? t.text2 : empty;
    const std::string &c = has_texts ? t.text3 : empty;
    put_be32(out, (uint32_t)a.size());
    put_be32(out, (uint32_t)b.size());
    put_be32(out, (uint32_t)c.size());
    bool long_form = form == InfoForm::long_form;
    if (long_form)
        put_be32(out, sizeof(kTrailer));
    put_bytes(out, a);
    put_bytes(out, b);
    put_bytes(out, c);
    if (long_form)
        put_be32(out, kTrailer);
    return out;
}

} // namespace svc
