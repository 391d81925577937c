// Style objects: a property list in a block of library memory.
#include <cstring>

#include "lvgl.h"

namespace {

struct PropValue {
    lv_style_value_t value;
    lv_style_prop_t prop;
};

PropValue * props_of(const lv_style_t * style)
{
    return static_cast<PropValue *>(style->values_and_props);
}

constexpr uint8_t kConstStyle = 0xFF;

}  // namespace

extern "C" {

void lv_style_init(lv_style_t * style)
{
    std::memset(style, 0, sizeof(*style));
#if LV_USE_ASSERT_STYLE
    style->sentinel = LV_STYLE_SENTINEL_VALUE;
#endif
}

void lv_style_reset(lv_style_t * style)
{
    if (style->prop_cnt != kConstStyle) lv_free(style->values_and_props);
    lv_style_init(style);
}

void lv_style_copy(lv_style_t * dst, const lv_style_t * src)
{
    if (dst == src) return;
    lv_style_reset(dst);
    for (uint8_t i = 0; i < src->prop_cnt; i++) {
        lv_style_set_prop(dst, props_of(src)[i].prop, props_of(src)[i].value);
    }
}

bool lv_style_remove_prop(lv_style_t * style, lv_style_prop_t prop)
{
    if (style->prop_cnt == kConstStyle) return false;
    PropValue * p = props_of(style);
    for (uint8_t i = 0; i < style->prop_cnt; i++) {
        if (p[i].prop != prop) continue;
        std::memmove(&p[i], &p[i + 1], sizeof(PropValue) * (style->prop_cnt - i - 1));
        style->prop_cnt--;
        if (style->prop_cnt == 0) {
            lv_free(style->values_and_props);
            style->values_and_props = nullptr;
        }
        return true;
    }
    return false;
}

void lv_style_set_prop(lv_style_t * style, lv_style_prop_t prop, lv_style_value_t value)
{
    if (style->prop_cnt == kConstStyle || prop == LV_STYLE_PROP_INV) return;
    PropValue * p = props_of(style);
    for (uint8_t i = 0; i < style->prop_cnt; i++) {
        if (p[i].prop == prop) {
            p[i].value = value;
            return;
        }
    }
    if (style->prop_cnt == kConstStyle - 1) return;
    void * grown = lv_realloc(style->values_and_props, sizeof(PropValue) * (style->prop_cnt + 1U));
    LV_ASSERT_MALLOC(grown);
    if (grown == nullptr) return;
    style->values_and_props = grown;
    PropValue * n = &props_of(style)[style->prop_cnt];
    std::memset(n, 0, sizeof(*n));
    n->prop = prop;
    n->value = value;
    style->prop_cnt++;
}

lv_style_res_t lv_style_get_prop(const lv_style_t * style, lv_style_prop_t prop, lv_style_value_t * value)
{
    if (style->prop_cnt == kConstStyle) return LV_STYLE_RES_NOT_FOUND;
    const PropValue * p = props_of(style);
    for (uint8_t i = 0; i < style->prop_cnt; i++) {
        if (p[i].prop == prop) {
            *value = p[i].value;
            return LV_STYLE_RES_FOUND;
        }
    }
    return LV_STYLE_RES_NOT_FOUND;
}

bool lv_style_is_empty(const lv_style_t * style)
{
    return style->prop_cnt == 0;
}

void lv_style_transition_dsc_init(lv_style_transition_dsc_t * tr, const lv_style_prop_t props[],
                                  lv_anim_path_cb_t path_cb, uint32_t time, uint32_t delay, void * user_data)
{
    std::memset(tr, 0, sizeof(*tr));
    tr->props = props;
    tr->path_xcb = path_cb == nullptr ? lv_anim_path_linear : path_cb;
    tr->time = time;
    tr->delay = delay;
    tr->user_data = user_data;
}

}  // extern "C"
