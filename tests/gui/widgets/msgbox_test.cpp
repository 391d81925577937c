#include "widget_env.hpp"

using widget_test::WidgetTest;

namespace {

class Msgbox : public WidgetTest {
protected:
    lv_obj_t * full_box()
    {
        lv_obj_t * mbox = lv_msgbox_create(nullptr);
        lv_msgbox_add_title(mbox, "Title");
        lv_msgbox_add_close_button(mbox);
        lv_msgbox_add_text(mbox, "Hello world");
        apply = lv_msgbox_add_footer_button(mbox, "Apply");
        cancel = lv_msgbox_add_footer_button(mbox, "Cancel");
        settle();
        return mbox;
    }

    lv_obj_t * apply = nullptr;
    lv_obj_t * cancel = nullptr;
};

TEST_F(Msgbox, ModalBoxIsCentredOnABackdropOnTheTopLayer)
{
    lv_obj_t * mbox = full_box();
    lv_obj_t * backdrop = lv_obj_get_parent(mbox);
    EXPECT_TRUE(lv_obj_check_type(backdrop, &lv_msgbox_backdrop_class));
    EXPECT_EQ(lv_obj_get_parent(backdrop), lv_layer_top());
    EXPECT_EQ(lv_obj_get_width(backdrop), 640);
    EXPECT_EQ(lv_obj_get_height(backdrop), 480);
    EXPECT_EQ(pixel(5, 5), 0xC8C8C8u) << "9E9E9E at 127 over F5F5F5, mixed by >> 8 on the panel";

    lv_area_t box = coords(mbox);
    EXPECT_EQ(box.x1, 190);
    EXPECT_EQ(box.y1, 182);
    EXPECT_EQ(lv_obj_get_width(mbox), 260);
    EXPECT_EQ(lv_obj_get_height(mbox), 116);
    EXPECT_EQ(lv_obj_get_height(lv_msgbox_get_header(mbox)), 43);
    EXPECT_EQ(lv_obj_get_height(lv_msgbox_get_content(mbox)), 26);
    EXPECT_EQ(lv_obj_get_height(lv_msgbox_get_footer(mbox)), 43);
    EXPECT_EQ(lv_obj_get_width(lv_msgbox_get_title(mbox)), 198);

    EXPECT_EQ(lv_obj_get_width(apply), 74);
    EXPECT_EQ(lv_obj_get_width(cancel), 81);
    EXPECT_EQ(lv_obj_get_x(apply), 28);
    EXPECT_EQ(lv_obj_get_x(cancel), 135);
    EXPECT_EQ(lv_obj_get_height(apply), 33);
}

struct CloseState {
    lv_obj_t * mbox = nullptr;
    int clicks = 0;
    int deletes = 0;
};

void close_from_handler(lv_event_t * e)
{
    auto * st = static_cast<CloseState *>(lv_event_get_user_data(e));
    ++st->clicks;
    lv_msgbox_close(st->mbox);
}

void delete_box_from_handler(lv_event_t * e)
{
    auto * st = static_cast<CloseState *>(lv_event_get_user_data(e));
    ++st->clicks;
    lv_obj_delete(st->mbox);
}

void count_delete(lv_event_t * e)
{
    ++static_cast<CloseState *>(lv_event_get_user_data(e))->deletes;
}

TEST_F(Msgbox, DeletingTheBoxFromItsOwnButtonHandlerIsSafe)
{
    CloseState st;
    st.mbox = full_box();
    lv_obj_add_event_cb(apply, close_from_handler, LV_EVENT_CLICKED, &st);
    lv_obj_add_event_cb(st.mbox, count_delete, LV_EVENT_DELETE, &st);
    tap_center(apply);
    EXPECT_EQ(st.clicks, 1);
    EXPECT_EQ(st.deletes, 1);
    EXPECT_FALSE(lv_obj_is_valid(st.mbox));
    EXPECT_EQ(lv_obj_get_child_count(lv_layer_top()), 0u) << "the backdrop went with it";
    advance(200); // input keeps working afterwards
    tap(320, 240);
}

TEST_F(Msgbox, BoxOnTheScreenDeletedFromItsFooterButtonHandler)
{
    CloseState st;
    st.mbox = lv_msgbox_create(scr);
    lv_obj_set_size(st.mbox, 340, LV_SIZE_CONTENT);
    lv_msgbox_add_title(st.mbox, "Err");
    lv_msgbox_add_text(st.mbox, "Connection failed");
    lv_obj_t * okey = lv_msgbox_add_footer_button(st.mbox, "okey");
    lv_obj_add_event_cb(okey, delete_box_from_handler, LV_EVENT_CLICKED, &st);
    lv_obj_add_event_cb(okey, delete_box_from_handler, LV_EVENT_CLICKED, &st); // must not run again
    lv_obj_add_event_cb(st.mbox, count_delete, LV_EVENT_DELETE, &st);
    settle();
    EXPECT_EQ(lv_obj_get_width(st.mbox), 340);
    tap_center(okey);
    EXPECT_EQ(st.clicks, 1);
    EXPECT_EQ(st.deletes, 1);
    EXPECT_FALSE(lv_obj_is_valid(st.mbox));
    EXPECT_EQ(lv_obj_get_child_count(scr), 0u);
    advance(100);
}

TEST_F(Msgbox, CloseButtonClosesBeforeLaterHandlersRun)
{
    CloseState st;
    lv_obj_t * mbox = full_box();
    lv_obj_t * close = lv_obj_get_child(lv_msgbox_get_header(mbox), -1);
    lv_obj_add_event_cb(close, close_from_handler, LV_EVENT_CLICKED, &st);
    lv_obj_add_event_cb(mbox, count_delete, LV_EVENT_DELETE, &st);
    tap_center(close);
    EXPECT_EQ(st.deletes, 1);
    EXPECT_EQ(st.clicks, 0) << "the box was gone before the application's handler";
    EXPECT_EQ(lv_obj_get_child_count(lv_layer_top()), 0u);
}

TEST_F(Msgbox, PlainDeleteLeavesTheBackdropButCloseRemovesIt)
{
    lv_obj_t * mbox = full_box();
    lv_obj_delete(mbox);
    EXPECT_EQ(lv_obj_get_child_count(lv_layer_top()), 1u);

    lv_obj_t * inline_box = lv_msgbox_create(scr);
    EXPECT_EQ(lv_obj_get_parent(inline_box), scr);
    lv_msgbox_close(inline_box);
    EXPECT_FALSE(lv_obj_is_valid(inline_box));
    EXPECT_TRUE(lv_obj_is_valid(scr));
}

TEST_F(Msgbox, BackdropSwallowsTapsOnWhatIsBehind)
{
    lv_obj_t * behind = lv_button_create(scr);
    lv_obj_set_size(behind, 100, 50);
    int clicks = 0;
    lv_obj_add_event_cb(behind, [](lv_event_t * e) { ++*static_cast<int *>(lv_event_get_user_data(e)); },
                        LV_EVENT_CLICKED, &clicks);
    lv_msgbox_create(nullptr);
    settle();
    tap(20, 20);
    EXPECT_EQ(clicks, 0);
}

TEST_F(Msgbox, CloseAsyncDeletesOnTheNextTimerPass)
{
    lv_obj_t * mbox = full_box();
    lv_msgbox_close_async(mbox);
    EXPECT_TRUE(lv_obj_is_valid(mbox));
    advance(33);
    EXPECT_FALSE(lv_obj_is_valid(mbox));
    EXPECT_EQ(lv_obj_get_child_count(lv_layer_top()), 0u);
}

} // namespace
