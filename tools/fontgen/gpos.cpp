#include "gpos.hpp"

#include <bit>
#include <set>
#include <stdexcept>

namespace fontgen {

namespace {

constexpr uint16_t kLookupPair = 2;
constexpr uint16_t kLookupExtension = 9;
constexpr uint16_t kValueXAdvance = 0x0004;
constexpr uint16_t kValueFieldsBelowXAdvance = 0x0003;  // XPlacement, YPlacement

int value_record_size(uint16_t format)
{
    return 2 * std::popcount(static_cast<unsigned>(format & 0xFF));
}

int x_advance_offset(uint16_t format)
{
    return 2 * std::popcount(static_cast<unsigned>(format & kValueFieldsBelowXAdvance));
}

}  // namespace

uint16_t GposKerning::u16(uint32_t at) const
{
    if (at + 2 > table_.size()) throw std::out_of_range("GPOS read past the end");
    return static_cast<uint16_t>(table_[at] << 8 | table_[at + 1]);
}

uint32_t GposKerning::u32(uint32_t at) const
{
    return static_cast<uint32_t>(u16(at)) << 16 | u16(at + 2);
}

GposKerning::GposKerning(std::vector<uint8_t> table) : table_(std::move(table))
{
    try {
        if (table_.size() < 10) return;
        const uint32_t features = u16(6);
        const uint32_t lookup_list = u16(8);
        std::set<uint16_t> kern_lookups;
        const uint16_t feature_count = u16(features);
        for (uint16_t i = 0; i < feature_count; ++i) {
            const uint32_t rec = features + 2 + 6u * i;
            const bool is_kern = table_.at(rec) == 'k' && table_.at(rec + 1) == 'e' && table_.at(rec + 2) == 'r' &&
                                 table_.at(rec + 3) == 'n';
            if (!is_kern) continue;
            const uint32_t feature = features + u16(rec + 4);
            const uint16_t count = u16(feature + 2);
            for (uint16_t k = 0; k < count; ++k) kern_lookups.insert(u16(feature + 4 + 2u * k));
        }
        const uint16_t lookup_count = u16(lookup_list);
        for (uint16_t index : kern_lookups) {
            if (index >= lookup_count) continue;
            const uint32_t lookup = lookup_list + u16(lookup_list + 2 + 2u * index);
            const uint16_t type = u16(lookup);
            const uint16_t sub_count = u16(lookup + 4);
            std::vector<uint32_t> subs;
            for (uint16_t s = 0; s < sub_count; ++s) {
                uint32_t sub = lookup + u16(lookup + 6 + 2u * s);
                uint16_t sub_type = type;
                if (type == kLookupExtension) {
                    sub_type = u16(sub + 2);
                    sub = sub + u32(sub + 4);
                }
                if (sub_type == kLookupPair) subs.push_back(sub);
            }
            if (!subs.empty()) lookups_.push_back(std::move(subs));
        }
    } catch (const std::out_of_range &) {
        lookups_.clear();
    }
}

int GposKerning::coverage_index(uint32_t at, uint16_t glyph) const
{
    const uint16_t format = u16(at);
    const uint16_t count = u16(at + 2);
    if (format == 1) {
        for (uint16_t i = 0; i < count; ++i)
            if (u16(at + 4 + 2u * i) == glyph) return i;
    } else if (format == 2) {
        for (uint16_t i = 0; i < count; ++i) {
            const uint32_t rec = at + 4 + 6u * i;
            if (glyph >= u16(rec) && glyph <= u16(rec + 2)) return u16(rec + 4) + (glyph - u16(rec));
        }
    }
    return -1;
}

int GposKerning::class_of(uint32_t at, uint16_t glyph) const
{
    const uint16_t format = u16(at);
    if (format == 1) {
        const uint16_t start = u16(at + 2);
        const uint16_t count = u16(at + 4);
        if (glyph >= start && glyph < start + count) return u16(at + 6 + 2u * (glyph - start));
    } else if (format == 2) {
        const uint16_t count = u16(at + 2);
        for (uint16_t i = 0; i < count; ++i) {
            const uint32_t rec = at + 4 + 6u * i;
            if (glyph >= u16(rec) && glyph <= u16(rec + 2)) return u16(rec + 4);
        }
    }
    return 0;
}

int GposKerning::format1_value(uint32_t at, int cov_index, uint16_t right, bool & found) const
{
    const uint16_t format1 = u16(at + 4);
    const uint16_t format2 = u16(at + 6);
    const uint32_t pair_set = at + u16(at + 10 + 2u * static_cast<uint32_t>(cov_index));
    const uint16_t count = u16(pair_set);
    const uint32_t record_size = 2 + value_record_size(format1) + value_record_size(format2);
    for (uint16_t i = 0; i < count; ++i) {
        const uint32_t rec = pair_set + 2 + record_size * i;
        if (u16(rec) != right) continue;
        found = true;
        if (!(format1 & kValueXAdvance)) return 0;
        return static_cast<int16_t>(u16(rec + 2 + x_advance_offset(format1)));
    }
    return 0;
}

int GposKerning::format2_value(uint32_t at, uint16_t left, uint16_t right) const
{
    const uint16_t format1 = u16(at + 4);
    const uint16_t format2 = u16(at + 6);
    if (!(format1 & kValueXAdvance)) return 0;
    const int class1 = class_of(at + u16(at + 8), left);
    const int class2 = class_of(at + u16(at + 10), right);
    const uint16_t class1_count = u16(at + 12);
    const uint16_t class2_count = u16(at + 14);
    if (class1 >= class1_count || class2 >= class2_count) return 0;
    const uint32_t record_size = value_record_size(format1) + value_record_size(format2);
    const uint32_t rec = at + 16 + record_size * (static_cast<uint32_t>(class1) * class2_count + class2);
    return static_cast<int16_t>(u16(rec + x_advance_offset(format1)));
}

int GposKerning::subtable_value(uint32_t at, uint16_t left, uint16_t right, bool & found) const
{
    const int cov = coverage_index(at + u16(at + 2), left);
    if (cov < 0) return 0;
    const uint16_t format = u16(at);
    if (format == 1) return format1_value(at, cov, right, found);
    if (format == 2) {
        found = true;
        return format2_value(at, left, right);
    }
    return 0;
}

int GposKerning::pair_value(uint16_t left, uint16_t right) const
{
    try {
        for (const auto & subs : lookups_) {
            for (uint32_t sub : subs) {
                bool found = false;
                const int v = subtable_value(sub, left, right, found);
                if (found) return v;
            }
        }
    } catch (const std::out_of_range &) {
        // A damaged subtable gives no kerning.
    }
    return 0;
}

}  // namespace fontgen
