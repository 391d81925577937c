// Scrollbars as drawn: a themed list at rest, one being scrolled (full
// opacity) and a horizontally overflowing row.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

namespace {

class ScrollbarRender : public test_support::GuiTest {};

lv_obj_t * themed_box(int32_t x, int32_t y, int32_t w, int32_t h)
{
    lv_obj_t * box = lv_obj_create(lv_screen_active());
    lv_obj_set_pos(box, x, y);
    lv_obj_set_size(box, w, h);
    return box;
}

void fill(lv_obj_t * parent, int32_t w, int32_t h)
{
    lv_obj_t * inner = lv_obj_create(parent);
    lv_obj_remove_style_all(inner);
    lv_obj_set_size(inner, w, h);
}

TEST_F(ScrollbarRender, ThemedBarsAtRestScrolledAndHorizontal)
{
    lv_obj_t * rest = themed_box(20, 20, 200, 300);
    fill(rest, 100, 744);

    lv_obj_t * scrolled = themed_box(240, 20, 200, 300);
    fill(scrolled, 100, 744);
    lv_obj_scroll_to_y(scrolled, 300, LV_ANIM_OFF);
    lv_obj_add_state(scrolled, LV_STATE_SCROLLED);

    lv_obj_t * row = themed_box(20, 340, 420, 120);
    fill(row, 1000, 40);
    lv_obj_scroll_to_x(row, 200, LV_ANIM_OFF);

    lv_obj_t * plain = themed_box(460, 20, 160, 300);
    fill(plain, 50, 50);  // no overflow: no bar

    run_for(200, 33);  // style transitions finish
    EXPECT_TRUE(matches_screen("indev", "scrollbars"));
}

TEST_F(ScrollbarRender, RowWithNothingToScrollDownwardsEndsOneRowShort)
{
    // 600 x 120 with 1066 px of content scrolled to 120: the horizontal bar is
    // 584 * 600 / 1066 = 328 long, 66 into its track (256 - 256 * 346 / 466).
    // Its content is 24 px shorter than the row, so the vertical bar, shown
    // with mode ON, fills its track but for the last row: 346..448.
    lv_obj_t * row = themed_box(20, 340, 600, 120);
    fill(row, 1030, 60);
    lv_obj_set_scrollbar_mode(row, LV_SCROLLBAR_MODE_ON);
    lv_obj_scroll_to_x(row, 120, LV_ANIM_OFF);
    lv_obj_update_layout(row);
    EXPECT_EQ(lv_obj_get_scroll_bottom(row), -24);

    lv_area_t hor;
    lv_area_t ver;
    lv_obj_get_scrollbar_area(row, &hor, &ver);
    EXPECT_EQ(hor.x1, 92);
    EXPECT_EQ(hor.x2, 419);
    EXPECT_EQ(hor.y1, 450);
    EXPECT_EQ(hor.y2, 453);
    EXPECT_EQ(ver.x1, 610);
    EXPECT_EQ(ver.x2, 613);
    EXPECT_EQ(ver.y1, 346);
    EXPECT_EQ(ver.y2, 448);

    // The bar's rounded bottom row over the white card; the row below is card.
    const test_support::Image & shot = render();
    const uint8_t bottom_row[] = {241, 220, 220, 241};
    for (int32_t i = 0; i < 4; i++) {
        EXPECT_EQ(test_support::green_at(shot, 610 + i, 448), bottom_row[i]) << "x " << 610 + i;
        EXPECT_EQ(test_support::green_at(shot, 610 + i, 449), 0xFF) << "x " << 610 + i;
    }
}

}  // namespace
