// Scrollbars as drawn: a themed list at rest, one being scrolled (full
// opacity) and a horizontally overflowing row.
#include "gui_fixture.hpp"

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

}  // namespace
