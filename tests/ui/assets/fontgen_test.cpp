// The font generator's own pieces: bit packing of coverage, the grouping of
// kerning pairs into classes, and the GPOS pair-kerning reader, including
// damaged tables.
#include "font_data.hpp"
#include "gpos.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

TEST(FontgenPackBits, PacksLevelsMostSignificantFirstWithoutRowBreaks) {
    // 0, full, half, 1/15 and full coverage at 4 bpp: levels 0 F 8 1 F, the
    // last byte padded with zero bits.
    EXPECT_EQ(fontgen::pack_bits({0, 255, 128, 17, 255}, 4), (std::vector<uint8_t>{0x0F, 0x81, 0xF0}));
    // A level is the top bits, not the nearest level: a faint 15 is 0, 31 is
    // 1, and 240 is already full.
    EXPECT_EQ(fontgen::pack_bits({15, 31, 240}, 4), (std::vector<uint8_t>{0x01, 0xF0}));
    EXPECT_EQ(fontgen::pack_bits({63, 64, 191, 192}, 2), (std::vector<uint8_t>{0x1B}));
    EXPECT_EQ(fontgen::pack_bits({0, 255, 128}, 8), (std::vector<uint8_t>{0, 255, 128}));
    EXPECT_EQ(fontgen::pack_bits({255, 0, 0, 255, 255, 0, 0, 0, 255}, 1), (std::vector<uint8_t>{0x98, 0x80}));
    EXPECT_TRUE(fontgen::pack_bits({}, 4).empty());
}

TEST(FontgenClassKerning, ClassesReproduceEveryPairAndShareIdenticalRows) {
    // Glyphs 1 and 3 kern alike on the left, 2 and 4 alike on the right;
    // glyph 0 and 5 never kern on the left.
    constexpr size_t n = 6;
    const std::vector<int8_t> pairs = {
        0, 0, 0,  0, 0,  0,  //
        0, 0, -5, 0, -5, 3,  //
        0, 0, 0,  0, 0,  0,  //
        0, 0, -5, 0, -5, 3,  //
        0, 1, 0,  0, 0,  0,  //
        0, 0, 0,  0, 0,  0,  //
    };
    const fontgen::ClassKerning k = fontgen::make_class_kerning(pairs, n);
    EXPECT_EQ(k.left_count, 2);
    EXPECT_EQ(k.right_count, 3);
    EXPECT_EQ(k.left[0], 0);
    EXPECT_EQ(k.left[5], 0);
    EXPECT_EQ(k.left[1], k.left[3]);
    EXPECT_EQ(k.right[2], k.right[4]);
    EXPECT_EQ(k.right[0], 0);
    ASSERT_EQ(k.values.size(), size_t(k.left_count * k.right_count));
    for (size_t l = 0; l < n; ++l) {
        for (size_t r = 0; r < n; ++r) {
            const int value = k.left[l] && k.right[r] ? k.values[(k.left[l] - 1) * k.right_count + (k.right[r] - 1)] : 0;
            EXPECT_EQ(value, pairs[l * n + r]) << l << "," << r;
        }
    }
}

// Big-endian table writer with offsets patched in once targets are placed.
struct Table {
    std::vector<uint8_t> bytes;
    size_t here() const { return bytes.size(); }
    size_t u16(uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v >> 8));
        bytes.push_back(static_cast<uint8_t>(v));
        return bytes.size() - 2;
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v >> 16));
        u16(static_cast<uint16_t>(v));
    }
    void tag(const char* t) { bytes.insert(bytes.end(), t, t + 4); }
    void patch16(size_t at, size_t value) {
        bytes[at] = static_cast<uint8_t>(value >> 8);
        bytes[at + 1] = static_cast<uint8_t>(value);
    }
    void patch32(size_t at, size_t value) {
        patch16(at, value >> 16);
        patch16(at + 2, value & 0xFFFF);
    }
};

constexpr uint16_t kXAdvance = 0x0004;
constexpr uint16_t kXPlacementAndAdvance = 0x0005;

// A pair set of one pair: `first` followed by `second` moves by `value`.
void pair_pos_format1(Table& t, uint16_t first, uint16_t second, int16_t value) {
    const size_t start = t.here();
    t.u16(1);
    const size_t coverage = t.u16(0);
    t.u16(kXAdvance);
    t.u16(0);
    t.u16(1);
    const size_t pair_set = t.u16(0);
    t.patch16(coverage, t.here() - start);
    t.u16(1), t.u16(1), t.u16(first);
    t.patch16(pair_set, t.here() - start);
    t.u16(1), t.u16(second), t.u16(static_cast<uint16_t>(value));
}

// Left glyphs 10..12 (class 1 for 11 and 12, 0 for 10), right glyphs 20..21
// (class 1): class (1, 1) moves -30, class (0, 1) -10.
void pair_pos_format2(Table& t) {
    const size_t start = t.here();
    t.u16(2);
    const size_t coverage = t.u16(0);
    t.u16(kXPlacementAndAdvance);
    t.u16(0);
    const size_t class1 = t.u16(0);
    const size_t class2 = t.u16(0);
    t.u16(2), t.u16(2);
    const int16_t values[2][2] = {{0, -10}, {0, -30}};
    for (auto& row : values)
        for (int16_t v : row) t.u16(0), t.u16(static_cast<uint16_t>(v));  // XPlacement, XAdvance
    t.patch16(coverage, t.here() - start);
    t.u16(2), t.u16(1), t.u16(10), t.u16(12), t.u16(0);
    t.patch16(class1, t.here() - start);
    t.u16(1), t.u16(10), t.u16(3), t.u16(0), t.u16(1), t.u16(1);
    t.patch16(class2, t.here() - start);
    t.u16(2), t.u16(1), t.u16(20), t.u16(21), t.u16(1);
}

// A GPOS table whose 'kern' feature has a pair lookup with a format 1 and a
// format 2 subtable, then an extension lookup wrapping more pairs, some of
// which lookup 0 already settles.
std::vector<uint8_t> sample_gpos() {
    Table t;
    t.u32(0x00010000);
    t.u16(0);  // no scripts needed here
    const size_t feature_list = t.u16(0);
    const size_t lookup_list = t.u16(0);

    const size_t features = t.here();
    t.patch16(feature_list, features);
    t.u16(2);
    t.tag("liga");
    const size_t liga = t.u16(0);
    t.tag("kern");
    const size_t kern = t.u16(0);
    t.patch16(liga, t.here() - features);
    t.u16(0), t.u16(1), t.u16(2);  // a lookup that is not kerning
    t.patch16(kern, t.here() - features);
    t.u16(0), t.u16(2), t.u16(0), t.u16(1);

    const size_t lookups = t.here();
    t.patch16(lookup_list, lookups);
    t.u16(3);
    const size_t offsets[3] = {t.u16(0), t.u16(0), t.u16(0)};

    const size_t pair = t.here();
    t.patch16(offsets[0], pair - lookups);
    t.u16(2), t.u16(0), t.u16(2);
    const size_t subs[2] = {t.u16(0), t.u16(0)};
    t.patch16(subs[0], t.here() - pair);
    pair_pos_format1(t, 5, 7, -50);
    t.patch16(subs[1], t.here() - pair);
    pair_pos_format2(t);

    // Lookup 1 wraps its pair subtables in extension subtables.
    struct Pair {
        uint16_t first, second;
        int16_t value;
    };
    const Pair later[] = {{5, 8, 20}, {5, 7, 15}, {10, 30, 40}};
    const size_t ext = t.here();
    t.patch16(offsets[1], ext - lookups);
    t.u16(9), t.u16(0), t.u16(std::size(later));
    std::vector<size_t> ext_subs;
    for (size_t i = 0; i < std::size(later); ++i) ext_subs.push_back(t.u16(0));
    for (size_t i = 0; i < std::size(later); ++i) {
        const size_t ext_start = t.here();
        t.patch16(ext_subs[i], ext_start - ext);
        t.u16(1), t.u16(2);
        const size_t ext_offset = t.here();
        t.u32(0);
        t.patch32(ext_offset, t.here() - ext_start);
        pair_pos_format1(t, later[i].first, later[i].second, later[i].value);
    }

    // Lookup 2 belongs to 'liga' only: its pair must not count.
    const size_t other = t.here();
    t.patch16(offsets[2], other - lookups);
    t.u16(2), t.u16(0), t.u16(1);
    const size_t other_sub = t.u16(0);
    t.patch16(other_sub, t.here() - other);
    pair_pos_format1(t, 5, 7, 99);
    return t.bytes;
}

TEST(FontgenGpos, TakesTheFirstKernLookupThatAppliesToThePair) {
    const fontgen::GposKerning k(sample_gpos());
    struct Case {
        uint16_t left, right;
        int value;
    };
    const Case cases[] = {
        {5, 7, -50},   // lookup 0's pair; lookup 1's +15 is not added on
        {5, 8, 20},    // lookup 0 lists 5 but not this pair: lookup 1 decides
        {11, 20, -30}, // class (1, 1)
        {12, 21, -30},
        {10, 21, -10},  // class (0, 1)
        {10, 30, 0},    // lookup 0's class subtable covers 10: class (0, 0), lookup 1's +40 unused
        {11, 99, 0},
        {7, 5, 0},
        {13, 20, 0},
        {1, 2, 0},
    };
    for (Case c : cases) EXPECT_EQ(k.pair_value(c.left, c.right), c.value) << c.left << "," << c.right;
}

TEST(FontgenGpos, DamagedTablesGiveNoKerningAndNoFault) {
    const std::vector<uint8_t> full = sample_gpos();
    for (size_t len = 0; len < full.size(); ++len) {
        const fontgen::GposKerning k(std::vector<uint8_t>(full.begin(), full.begin() + len));
        for (auto [l, r] : {std::pair<uint16_t, uint16_t>{5, 7}, {5, 8}, {11, 20}, {10, 30}}) {
            const int v = k.pair_value(l, r);
            EXPECT_TRUE(v == 0 || v == fontgen::GposKerning(full).pair_value(l, r)) << len;
        }
    }
    // Offsets and counts turned to nonsense must not lead reads outside the
    // table (the sanitizer builds check that).
    for (size_t stride : {3u, 5u, 7u, 11u}) {
        std::vector<uint8_t> wild = full;
        for (size_t i = 6; i < wild.size(); i += stride) wild[i] = 0xFF;
        const fontgen::GposKerning k(wild);
        for (uint16_t l : {5, 11})
            for (uint16_t r : {7, 8, 20}) EXPECT_LE(std::abs(k.pair_value(l, r)), 3 * 32768);
    }
}

}  // namespace
