// The style generator: reading the property table (and refusing a damaged
// one with the line of the fault), and what it writes for a property's kind
// and feature.
#include "emit.hpp"
#include "props.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<stylegen::Prop> read(const std::string& text) {
    std::istringstream in(text);
    return stylegen::read_table(in);
}

TEST(StylegenTable, ReadsColumnsFlagsAndKinds) {
    const auto props = read("# comment\n"
                            "\n"
                            "max_width  | int32_t           | LV_COORD_MAX | L\n"
                            "text_font  | const lv_font_t * | LV_FONT_DEFAULT | IL   # trailing comment\n"
                            "bg_color   | lv_color_t        |              | -\n"
                            "flex_grow  | uint8_t           |              | L  | LV_USE_FLEX\n"
                            "grid_row_align | lv_grid_align_t |            | L  | none\n");
    ASSERT_EQ(props.size(), 5u);
    EXPECT_EQ(props[0].name, "max_width");
    EXPECT_EQ(props[0].id(), "LV_STYLE_MAX_WIDTH");
    EXPECT_EQ(props[0].default_value, "LV_COORD_MAX");
    EXPECT_EQ(props[0].flags, stylegen::kLayoutUpdate);
    EXPECT_EQ(props[0].kind(), stylegen::Kind::Number);
    EXPECT_EQ(props[1].type, "const lv_font_t *");
    EXPECT_EQ(props[1].flags, stylegen::kInheritable | stylegen::kLayoutUpdate);
    EXPECT_EQ(props[1].kind(), stylegen::Kind::Pointer);
    EXPECT_EQ(props[2].flags, 0);
    EXPECT_TRUE(props[2].default_value.empty());
    EXPECT_EQ(props[2].kind(), stylegen::Kind::Color);
    EXPECT_EQ(props[3].feature, "LV_USE_FLEX");
    EXPECT_TRUE(props[3].accessors);
    EXPECT_FALSE(props[4].accessors);
    EXPECT_TRUE(props[4].feature.empty());
}

TEST(StylegenTable, RefusesADamagedTableNamingTheLine) {
    struct Case {
        const char* table;
        const char* message;
    };
    const Case cases[] = {
        {"width | int32_t\n", "line 1: 2 columns"},
        {"width | int32_t | | L | LV_USE_FLEX | x\n", "line 1: 6 columns"},
        {"x | int32_t | | L\nwidth | int32_t | | Q\n", "line 2: unknown flag letter 'Q'"},
        {"width | int32_t | |\n", "line 1: no flags"},
        {"width | int32_t | | L\nwidth | int32_t | | L\n", "line 2: width listed twice"},
        {"Width | int32_t | | L\n", "line 1: bad property name"},
        {"width | | | L\n", "line 1: no type"},
        {"width | int32_t | | L | use flex\n", "line 1: bad feature macro"},
        {"# nothing\n", "no properties"},
    };
    for (const Case& c : cases) {
        try {
            read(c.table);
            ADD_FAILURE() << "accepted: " << c.table;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(StylegenOutput, ColoursGetFilteredGettersAndFeaturesOneGuard) {
    const auto props = read("bg_color | lv_color_t | lv_color_white() | -\n"
                            "radius   | int32_t    |                  | -\n"
                            "flex_flow | lv_flex_flow_t | | L | LV_USE_FLEX\n"
                            "flex_grow | uint8_t        | | L | LV_USE_FLEX\n"
                            "grid_row_align | lv_grid_align_t | | L | none\n");
    std::ostringstream header;
    stylegen::write_obj_style_header(header, props, "t.txt");
    const std::string h = header.str();
    EXPECT_NE(h.find("lv_obj_get_style_bg_color_filtered"), std::string::npos);
    EXPECT_EQ(h.find("lv_obj_get_style_radius_filtered"), std::string::npos);
    EXPECT_NE(h.find("return (uint8_t)v.num;"), std::string::npos);
    EXPECT_NE(h.find("#if LV_USE_FLEX\nvoid lv_obj_set_style_flex_flow"), std::string::npos);
    EXPECT_EQ(h.find("#if LV_USE_FLEX", h.find("#if LV_USE_FLEX") + 1), std::string::npos) << "one block for the run";
    EXPECT_EQ(h.find("grid_row_align"), std::string::npos);

    std::ostringstream source;
    stylegen::write_source(source, props, "t.txt");
    const std::string s = source.str();
    EXPECT_NE(s.find("case LV_STYLE_BG_COLOR:\n            v.color = lv_color_white();"), std::string::npos);
    EXPECT_EQ(s.find("case LV_STYLE_RADIUS:"), std::string::npos) << "zero defaults come from v{}";
    EXPECT_NE(s.find("t[LV_STYLE_GRID_ROW_ALIGN] = {LV_STYLE_PROP_FLAG_LAYOUT_UPDATE, ValueKind::Number};"),
              std::string::npos);
    EXPECT_EQ(s.find("lv_style_set_grid_row_align"), std::string::npos);
}

} // namespace
