// Builders for the replies a service sends, for decoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void put_be16(Bytes &b, uint16_t v)
{
    b.push_back((uint8_t)(v >> 8));
    b.push_back((uint8_t)v);
}

inline void put_be32(Bytes &b, uint32_t v)
{
    put_be16(b, (uint16_t)(v >> 16));
    put_be16(b, (uint16_t)v);
}

inline void put_be64(Bytes &b, uint64_t v)
{
    put_be32(b, (uint32_t)(v >> 32));
    put_be32(b, (uint32_t)v);
}

inline void put_le32(Bytes &b, int32_t v)
{
    for (int i = 0; i < 4; i++)
        b.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}

inline void put_str(Bytes &b, const std::string &s)
{
    b.insert(b.end(), s.begin(), s.end());
}

// A play-info reply. With `long_form` the player header holds len4 and the
// texts start at byte 40, else they start at byte 36. The wire lengths can
// differ from the texts actually appended.
struct PlayInfo {
    uint32_t position = 61000;
    uint32_t duration = 185000;
    uint8_t state = 1;
    uint8_t reserved1 = 0xA1;
    uint8_t channels = 2;
    uint8_t reserved2 = 0xB2;
    uint32_t sample_rate = 44100;
    uint32_t bit_rate = 320;
    uint32_t len1 = 0, len2 = 0, len3 = 0, len4 = 0;
    std::string texts;
    size_t trailing = 0;
    bool long_form = true;
    uint8_t ctrl = 20;

    Bytes build() const
    {
        Bytes b = {2, 6, 0x25, ctrl};
        put_be32(b, position);
        put_be32(b, duration);
        b.push_back(state);
        b.push_back(reserved1);
        b.push_back(channels);
        b.push_back(reserved2);
        put_be32(b, sample_rate);
        put_be32(b, bit_rate);
        put_be32(b, len1);
        put_be32(b, len2);
        put_be32(b, len3);
        if (long_form)
            put_be32(b, len4);
        put_str(b, texts);
        b.insert(b.end(), trailing, 0xEE);
        return b;
    }

    // Wire lengths taken from three texts, which are appended in order.
    PlayInfo &with_texts(const std::string &a, const std::string &b, const std::string &c)
    {
        len1 = (uint32_t)a.size();
        len2 = (uint32_t)b.size();
        len3 = (uint32_t)c.size();
        texts = a + b + c;
        return *this;
    }
};

// One LIST_DATA item.
inline void put_list_item(Bytes &b, uint32_t total, uint32_t index, uint8_t type, uint64_t id,
                          const std::string &name, const std::string &url, int url_len = -1)
{
    put_be32(b, total);
    put_be32(b, index);
    b.push_back(type);
    put_be64(b, id);
    b.push_back((uint8_t)name.size());
    put_be16(b, (uint16_t)(url_len < 0 ? url.size() : (size_t)url_len));
    put_str(b, name);
    put_str(b, url);
}
