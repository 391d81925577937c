// The class mechanism widgets build on: constructor and destructor order, the
// event chain, class default sizes and self size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/core/obj.hpp"
#include "gui_fixture.hpp"
#include "lvgl.h"

namespace {

std::vector<std::string> calls;

void base_ctor(const lv_obj_class_t *, lv_obj_t *) { calls.push_back("base ctor"); }
void base_dtor(const lv_obj_class_t *, lv_obj_t *) { calls.push_back("base dtor"); }
void leaf_ctor(const lv_obj_class_t *, lv_obj_t *) { calls.push_back("leaf ctor"); }
void leaf_dtor(const lv_obj_class_t *, lv_obj_t *) { calls.push_back("leaf dtor"); }

extern const lv_obj_class_t base_class;

void base_event(const lv_obj_class_t *, lv_event_t * e)
{
    if(lv_obj_event_base(&base_class, e) != LV_RESULT_OK) return;
    if(lv_event_get_code(e) == LV_EVENT_VALUE_CHANGED) calls.push_back("base event");
}

const lv_obj_class_t base_class = {
    &lv_obj_class, base_ctor, base_dtor, base_event, nullptr, "base", 0, 0,
    LV_OBJ_CLASS_EDITABLE_INHERIT, LV_OBJ_CLASS_GROUP_DEF_INHERIT, 0, LV_OBJ_CLASS_THEME_INHERITABLE_TRUE,
};

extern const lv_obj_class_t leaf_class;

void leaf_event(const lv_obj_class_t *, lv_event_t * e)
{
    if(lv_obj_event_base(&leaf_class, e) != LV_RESULT_OK) return;
    lv_event_code_t code = lv_event_get_code(e);
    if(code == LV_EVENT_VALUE_CHANGED) calls.push_back("leaf event");
    if(code == LV_EVENT_GET_SELF_SIZE) {
        lv_point_t * p = lv_event_get_self_size_info(e);
        p->x = 40;
        p->y = 20;
    }
}

const lv_obj_class_t leaf_class = {
    &base_class, leaf_ctor, leaf_dtor, leaf_event, nullptr, "leaf", LV_SIZE_CONTENT, LV_SIZE_CONTENT,
    LV_OBJ_CLASS_EDITABLE_TRUE, LV_OBJ_CLASS_GROUP_DEF_INHERIT, 0, LV_OBJ_CLASS_THEME_INHERITABLE_TRUE,
};

struct Payload : gui::core::InstanceData {
    explicit Payload(bool * flag) : destroyed(flag) {}
    ~Payload() override { *destroyed = true; }
    bool * destroyed;
};

void user_handler(lv_event_t *)
{
    calls.push_back("user handler");
}

using Classes = test_support::GuiTest;

TEST_F(Classes, ChainOrderSizesAndInstanceData)
{
    calls.clear();
    lv_obj_t * obj = lv_obj_class_create_obj(&leaf_class, lv_screen_active());
    lv_obj_class_init_obj(obj);
    EXPECT_EQ(calls, (std::vector<std::string>{"base ctor", "leaf ctor"}));
    EXPECT_TRUE(lv_obj_check_type(obj, &leaf_class));
    EXPECT_FALSE(lv_obj_check_type(obj, &base_class));
    EXPECT_TRUE(lv_obj_has_class(obj, &lv_obj_class));
    EXPECT_TRUE(lv_obj_is_editable(obj));
    EXPECT_FALSE(lv_obj_is_group_def(obj));

    lv_obj_remove_style_all(obj);
    lv_obj_set_style_pad_all(obj, 3, 0);
    lv_obj_update_layout(obj);
    EXPECT_EQ(lv_obj_get_width(obj), 46) << "content size: self size plus padding";
    EXPECT_EQ(lv_obj_get_height(obj), 26);

    calls.clear();
    lv_obj_add_event_cb(obj, user_handler, LV_EVENT_VALUE_CHANGED, nullptr);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"base event", "leaf event", "user handler"}));

    bool destroyed = false;
    obj->instance_data = std::make_unique<Payload>(&destroyed);
    calls.clear();
    lv_obj_delete(obj);
    EXPECT_EQ(calls, (std::vector<std::string>{"leaf dtor", "base dtor"}));
    EXPECT_TRUE(destroyed);
}

}  // namespace
