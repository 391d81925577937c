// Style objects: a property list in a block of library memory.
#include <algorithm>
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
    if(style->prop_cnt != kConstStyle) lv_free(style->values_and_props);
    lv_style_init(style);
}

void lv_style_copy(lv_style_t * dst, const lv_style_t * src)
{
    if(dst == src) return;
    lv_style_reset(dst);
    for(uint8_t i = 0; i < src->prop_cnt; i++) {
        lv_style_set_prop(dst, props_of(src)[i].prop, props_of(src)[i].value);
    }
}

bool lv_style_remove_prop(lv_style_t * style, lv_style_prop_t prop)
{
    if(style->prop_cnt == kConstStyle) return false;
    PropValue * p = props_of(style);
    for(uint8_t i = 0; i < style->prop_cnt; i++) {
        if(p[i].prop != prop) continue;
        std::memmove(&p[i], &p[i + 1], sizeof(PropValue) * (style->prop_cnt - i - 1));
        style->prop_cnt--;
        if(style->prop_cnt == 0) {
            lv_free(style->values_and_props);
            style->values_and_props = nullptr;
        }
        return true;
    }
    return false;
}

void lv_style_set_prop(lv_style_t * style, lv_style_prop_t prop, lv_style_value_t value)
{
    if(style->prop_cnt == kConstStyle || prop == LV_STYLE_PROP_INV) return;
    PropValue * p = props_of(style);
    for(uint8_t i = 0; i < style->prop_cnt; i++) {
        if(p[i].prop == prop) {
            p[i].value = value;
            return;
        }
    }
    if(style->prop_cnt == kConstStyle - 1) return;
    void * grown = lv_realloc(style->values_and_props, sizeof(PropValue) * (style->prop_cnt + 1U));
    LV_ASSERT_MALLOC(grown);
    if(grown == nullptr) return;
    style->values_and_props = grown;
    PropValue * n = &props_of(style)[style->prop_cnt];
    std::memset(n, 0, sizeof(*n));
    n->prop = prop;
    n->value = value;
    style->prop_cnt++;
}

lv_style_res_t lv_style_get_prop(const lv_style_t * style, lv_style_prop_t prop, lv_style_value_t * value)
{
    if(style->prop_cnt == kConstStyle) return LV_STYLE_RES_NOT_FOUND;
    const PropValue * p = props_of(style);
    for(uint8_t i = 0; i < style->prop_cnt; i++) {
        if(p[i].prop == prop) {
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

lv_style_value_t lv_style_prop_get_default(lv_style_prop_t prop)
{
    lv_style_value_t v{};
    switch(prop) {
        case LV_STYLE_MAX_WIDTH:
        case LV_STYLE_MAX_HEIGHT:
            v.num = LV_COORD_MAX;
            break;
        case LV_STYLE_TRANSFORM_SCALE_X:
        case LV_STYLE_TRANSFORM_SCALE_Y:
        case LV_STYLE_ROTARY_SENSITIVITY:
            v.num = 256;
            break;
        case LV_STYLE_BG_COLOR:
            v.color = lv_color_white();
            break;
        case LV_STYLE_BG_GRAD_STOP:
        case LV_STYLE_BG_MAIN_OPA:
        case LV_STYLE_BG_GRAD_OPA:
        case LV_STYLE_BG_IMAGE_OPA:
        case LV_STYLE_BORDER_OPA:
        case LV_STYLE_OUTLINE_OPA:
        case LV_STYLE_SHADOW_OPA:
        case LV_STYLE_IMAGE_OPA:
        case LV_STYLE_LINE_OPA:
        case LV_STYLE_ARC_OPA:
        case LV_STYLE_TEXT_OPA:
        case LV_STYLE_OPA:
        case LV_STYLE_OPA_LAYERED:
            v.num = LV_OPA_COVER;
            break;
        case LV_STYLE_BORDER_SIDE:
            v.num = LV_BORDER_SIDE_FULL;
            break;
        case LV_STYLE_TEXT_FONT:
            v.ptr = LV_FONT_DEFAULT;
            break;
        case LV_STYLE_GRID_CELL_COLUMN_SPAN:
        case LV_STYLE_GRID_CELL_ROW_SPAN:
            v.num = 1;
            break;
        default:
            break;
    }
    return v;
}

uint8_t lv_style_prop_has_flag(lv_style_prop_t prop, uint8_t flag)
{
    uint8_t f = LV_STYLE_PROP_FLAG_NONE;
    switch(prop) {
        case LV_STYLE_TEXT_COLOR:
        case LV_STYLE_TEXT_OPA:
        case LV_STYLE_TEXT_DECOR:
        case LV_STYLE_COLOR_FILTER_DSC:
        case LV_STYLE_COLOR_FILTER_OPA:
            f = LV_STYLE_PROP_FLAG_INHERITABLE;
            break;
        case LV_STYLE_TEXT_FONT:
        case LV_STYLE_TEXT_LETTER_SPACE:
        case LV_STYLE_TEXT_LINE_SPACE:
        case LV_STYLE_TEXT_ALIGN:
        case LV_STYLE_BASE_DIR:
            f = LV_STYLE_PROP_FLAG_INHERITABLE | LV_STYLE_PROP_FLAG_LAYOUT_UPDATE;
            break;
        case LV_STYLE_WIDTH:
        case LV_STYLE_MIN_WIDTH:
        case LV_STYLE_MAX_WIDTH:
        case LV_STYLE_HEIGHT:
        case LV_STYLE_MIN_HEIGHT:
        case LV_STYLE_MAX_HEIGHT:
        case LV_STYLE_X:
        case LV_STYLE_Y:
        case LV_STYLE_ALIGN:
        case LV_STYLE_BORDER_WIDTH:
        case LV_STYLE_LAYOUT:
        case LV_STYLE_FLEX_FLOW:
        case LV_STYLE_FLEX_MAIN_PLACE:
        case LV_STYLE_FLEX_CROSS_PLACE:
        case LV_STYLE_FLEX_TRACK_PLACE:
        case LV_STYLE_FLEX_GROW:
        case LV_STYLE_GRID_COLUMN_DSC_ARRAY:
        case LV_STYLE_GRID_COLUMN_ALIGN:
        case LV_STYLE_GRID_ROW_DSC_ARRAY:
        case LV_STYLE_GRID_ROW_ALIGN:
        case LV_STYLE_GRID_CELL_COLUMN_POS:
        case LV_STYLE_GRID_CELL_X_ALIGN:
        case LV_STYLE_GRID_CELL_COLUMN_SPAN:
        case LV_STYLE_GRID_CELL_ROW_POS:
        case LV_STYLE_GRID_CELL_Y_ALIGN:
        case LV_STYLE_GRID_CELL_ROW_SPAN:
            f = LV_STYLE_PROP_FLAG_LAYOUT_UPDATE;
            break;
        case LV_STYLE_PAD_TOP:
        case LV_STYLE_PAD_BOTTOM:
        case LV_STYLE_PAD_LEFT:
        case LV_STYLE_PAD_RIGHT:
        case LV_STYLE_PAD_ROW:
        case LV_STYLE_PAD_COLUMN:
        case LV_STYLE_MARGIN_TOP:
        case LV_STYLE_MARGIN_BOTTOM:
        case LV_STYLE_MARGIN_LEFT:
        case LV_STYLE_MARGIN_RIGHT:
            f = LV_STYLE_PROP_FLAG_LAYOUT_UPDATE | LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE;
            break;
        case LV_STYLE_TRANSLATE_X:
        case LV_STYLE_TRANSLATE_Y:
            f = LV_STYLE_PROP_FLAG_LAYOUT_UPDATE | LV_STYLE_PROP_FLAG_PARENT_LAYOUT_UPDATE;
            break;
        case LV_STYLE_TRANSFORM_WIDTH:
        case LV_STYLE_TRANSFORM_HEIGHT:
            f = LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE | LV_STYLE_PROP_FLAG_TRANSFORM;
            break;
        case LV_STYLE_TRANSFORM_SCALE_X:
        case LV_STYLE_TRANSFORM_SCALE_Y:
        case LV_STYLE_TRANSFORM_ROTATION:
        case LV_STYLE_TRANSFORM_SKEW_X:
        case LV_STYLE_TRANSFORM_SKEW_Y:
            f = LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE | LV_STYLE_PROP_FLAG_LAYER_UPDATE | LV_STYLE_PROP_FLAG_TRANSFORM;
            break;
        case LV_STYLE_LENGTH:
        case LV_STYLE_BG_IMAGE_SRC:
        case LV_STYLE_OUTLINE_WIDTH:
        case LV_STYLE_OUTLINE_OPA:
        case LV_STYLE_OUTLINE_PAD:
        case LV_STYLE_SHADOW_WIDTH:
        case LV_STYLE_SHADOW_OFFSET_X:
        case LV_STYLE_SHADOW_OFFSET_Y:
        case LV_STYLE_SHADOW_SPREAD:
        case LV_STYLE_SHADOW_OPA:
        case LV_STYLE_LINE_WIDTH:
        case LV_STYLE_ARC_WIDTH:
            f = LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE;
            break;
        case LV_STYLE_OPA_LAYERED:
        case LV_STYLE_BLEND_MODE:
        case LV_STYLE_BITMAP_MASK_SRC:
            f = LV_STYLE_PROP_FLAG_LAYER_UPDATE;
            break;
        default:
            break;
    }
    return f & flag;
}

}  // extern "C"
