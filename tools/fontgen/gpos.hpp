// Pair kerning read from an OpenType GPOS table (the 'kern' feature's pair
// adjustment lookups). Modern TrueType files carry their kerning only there,
// where FreeType's own kerning call does not look.
#pragma once

#include <cstdint>
#include <vector>

namespace fontgen {

class GposKerning {
public:
    // `table` is the raw GPOS table; an empty or malformed table gives no
    // kerning at all rather than partial values.
    explicit GposKerning(std::vector<uint8_t> table);

    // Horizontal advance adjustment of `left` when followed by `right`, in
    // font units (glyph indices, not code points). The kern lookups are
    // searched in order and the first subtable that applies gives the value,
    // as the built-in fonts' converter reads kerning: a pair subtable applies
    // when it lists the pair, a class subtable as soon as its coverage holds
    // `left`, even when `right` falls in class 0 and the value is 0. Later
    // lookups are not added on.
    int pair_value(uint16_t left, uint16_t right) const;

private:
    int subtable_value(uint32_t at, uint16_t left, uint16_t right, bool & found) const;
    int format1_value(uint32_t at, int cov_index, uint16_t right, bool & found) const;
    int format2_value(uint32_t at, uint16_t left, uint16_t right) const;
    int coverage_index(uint32_t at, uint16_t glyph) const;
    int class_of(uint32_t at, uint16_t glyph) const;
    uint16_t u16(uint32_t at) const;
    uint32_t u32(uint32_t at) const;

    std::vector<uint8_t> table_;
    // Per 'kern' lookup, its pair adjustment subtables' offsets in the table.
    std::vector<std::vector<uint32_t>> lookups_;
};

}  // namespace fontgen
