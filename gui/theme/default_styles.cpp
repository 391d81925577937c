// The default theme's look: the palette, the size rule, the styles, and which
// of them each class gets.
#include "default_styles.hpp"

#include <algorithm>
#include <array>

namespace gui::theme {
namespace {

// The palette.
constexpr uint32_t kGrey = 0xE0E0E0;
constexpr uint32_t kGreyMain = 0x9E9E9E;
constexpr uint32_t kTextColor = 0x212121;
constexpr uint32_t kScreenBg = 0xF5F5F5;
constexpr uint32_t kPlaceholder = 0xBDBDBD;

constexpr int32_t kSmallLimit = 320;   // longest side of a small display
constexpr int32_t kMediumLimit = 720;  // a medium display's longest side is shorter
constexpr uint32_t kTransitionTime = 80;
constexpr uint32_t kTransitionDelay = 70;
constexpr lv_opa_t kPressedRecolorOpa = 35;
constexpr uint32_t kCursorBlinkMs = 400;
constexpr int32_t kScrollbarOpaRest = LV_OPA_40;
constexpr int32_t kScreenRotarySensitivity = 8192;

constexpr lv_style_selector_t sel(lv_part_t part, lv_state_t state)
{
    return static_cast<lv_style_selector_t>(part) | static_cast<lv_style_selector_t>(state);
}

// The size rule: a design value for a 160 DPI display, chosen by the
// display's size class (small, medium, large) and scaled to its DPI. Sizes
// that do not depend on the class are scaled with LV_DPX_CALC alone.
int32_t sized(const Metrics & m, int32_t small, int32_t medium, int32_t large)
{
    const int32_t design = m.size_class == 0 ? small : (m.size_class == 1 ? medium : large);
    return LV_DPX_CALC(m.dpi, design);
}

int32_t size_class_of(lv_display_t * disp)
{
    const int32_t longer =
        std::max(lv_display_get_horizontal_resolution(disp), lv_display_get_vertical_resolution(disp));
    if (longer <= kSmallLimit) return 0;
    return longer < kMediumLimit ? 1 : 2;
}

const lv_style_prop_t kTransProps[] = {LV_STYLE_BG_OPA,
                                       LV_STYLE_BG_COLOR,
                                       LV_STYLE_TRANSFORM_WIDTH,
                                       LV_STYLE_TRANSFORM_HEIGHT,
                                       LV_STYLE_TRANSLATE_X,
                                       LV_STYLE_TRANSLATE_Y,
                                       LV_STYLE_TRANSFORM_ROTATION,
                                       LV_STYLE_TRANSFORM_SCALE_X,
                                       LV_STYLE_TRANSFORM_SCALE_Y,
                                       LV_STYLE_RECOLOR,
                                       LV_STYLE_RECOLOR_OPA,
                                       LV_STYLE_PROP_INV};

struct Styles {
    lv_style_transition_dsc_t trans_normal;
    lv_style_transition_dsc_t trans_delayed;

    lv_style_t card, scrollbar, scrollbar_scrolled, button, screen;
    lv_style_t bg_primary, bg_primary_muted, bg_secondary, bg_secondary_muted, bg_grey, bg_white;
    lv_style_t pressed, disabled, outline_primary, outline_secondary, grow, circle, clip_corner;
    lv_style_t pad_zero, pad_tiny, pad_small;
    lv_style_t transition_normal, transition_delayed;
    lv_style_t knob, arc_ring, arc_indicator;
    lv_style_t list_bg, list_btn, list_item_grow, list_text;
    lv_style_t ta_cursor, ta_placeholder;
    lv_style_t kb_items;
    lv_style_t msgbox_backdrop;
    lv_style_t cb_gap, cb_marker, cb_marker_checked;
    lv_style_t text_selected;

    std::array<lv_style_t *, 38> all()
    {
        return {&card,
                &scrollbar,
                &scrollbar_scrolled,
                &button,
                &screen,
                &bg_primary,
                &bg_primary_muted,
                &bg_secondary,
                &bg_secondary_muted,
                &bg_grey,
                &bg_white,
                &pressed,
                &disabled,
                &outline_primary,
                &outline_secondary,
                &grow,
                &circle,
                &clip_corner,
                &pad_zero,
                &pad_tiny,
                &pad_small,
                &transition_normal,
                &transition_delayed,
                &knob,
                &arc_ring,
                &arc_indicator,
                &list_bg,
                &list_btn,
                &list_item_grow,
                &list_text,
                &ta_cursor,
                &ta_placeholder,
                &kb_items,
                &msgbox_backdrop,
                &cb_gap,
                &cb_marker,
                &cb_marker_checked,
                &text_selected};
    }
};

Styles g_styles;
bool g_inited = false;

void reset_all()
{
    for (lv_style_t * s : g_styles.all()) {
        if (g_inited) lv_style_reset(s);
        lv_style_init(s);
    }
}

void set_pad_all(lv_style_t * s, int32_t v)
{
    lv_style_set_pad_all(s, v);
    lv_style_set_pad_gap(s, v);
}

// The sizes several styles share, for one set of metrics.
struct Sizes {
    explicit Sizes(const Metrics & m)
        : pad_def(sized(m, 16, 20, 24)), pad_small(sized(m, 10, 12, 14)), pad_tiny(sized(m, 2, 6, 8)),
          radius_def(sized(m, 8, 8, 12)), radius_btn(sized(m, 8, 12, 16))
    {
    }
    int32_t pad_def, pad_small, pad_tiny, radius_def, radius_btn;
};

void init_blocks(const Metrics & m, const Sizes & size)
{
    Styles & st = g_styles;
    const int32_t dpi = m.dpi;
    const int32_t border_w = LV_DPX_CALC(dpi, 2);
    const int32_t outline_w = LV_DPX_CALC(dpi, 3);
    const lv_color_t grey = lv_color_hex(kGrey);
    const lv_color_t text = lv_color_hex(kTextColor);

    lv_style_transition_dsc_init(&st.trans_normal, kTransProps, lv_anim_path_linear, kTransitionTime, 0, nullptr);
    lv_style_transition_dsc_init(&st.trans_delayed, kTransProps, lv_anim_path_linear, kTransitionTime, kTransitionDelay,
                                 nullptr);
    lv_style_set_transition(&st.transition_normal, &st.trans_normal);
    lv_style_set_transition(&st.transition_delayed, &st.trans_delayed);

    lv_style_set_radius(&st.card, size.radius_def);
    lv_style_set_bg_opa(&st.card, LV_OPA_COVER);
    lv_style_set_bg_color(&st.card, lv_color_white());
    lv_style_set_border_color(&st.card, grey);
    lv_style_set_border_width(&st.card, border_w);
    lv_style_set_border_post(&st.card, true);
    lv_style_set_text_color(&st.card, text);
    lv_style_set_pad_all(&st.card, size.pad_def);
    lv_style_set_pad_gap(&st.card, size.pad_small);
    lv_style_set_line_color(&st.card, lv_color_hex(kGreyMain));
    lv_style_set_line_width(&st.card, LV_DPX_CALC(dpi, 1));

    lv_style_set_bg_color(&st.scrollbar, lv_color_hex(kGreyMain));
    lv_style_set_bg_opa(&st.scrollbar, kScrollbarOpaRest);
    lv_style_set_radius(&st.scrollbar, LV_RADIUS_CIRCLE);
    lv_style_set_pad_all(&st.scrollbar, LV_DPX_CALC(dpi, 7));
    lv_style_set_width(&st.scrollbar, LV_DPX_CALC(dpi, 5));
    lv_style_set_transition(&st.scrollbar, &st.trans_normal);
    lv_style_set_bg_opa(&st.scrollbar_scrolled, LV_OPA_COVER);

    lv_style_set_radius(&st.button, size.radius_btn);
    lv_style_set_bg_opa(&st.button, LV_OPA_COVER);
    lv_style_set_bg_color(&st.button, grey);
    lv_style_set_shadow_color(&st.button, lv_color_hex(kGreyMain));
    lv_style_set_shadow_width(&st.button, LV_DPX_CALC(dpi, 3));
    lv_style_set_shadow_opa(&st.button, LV_OPA_50);
    // Scaled twice: the library's default theme does so.
    lv_style_set_shadow_offset_y(&st.button, LV_DPX_CALC(dpi, LV_DPX_CALC(dpi, 4)));
    lv_style_set_shadow_spread(&st.button, 0);
    lv_style_set_text_color(&st.button, text);
    lv_style_set_pad_hor(&st.button, size.pad_def);
    lv_style_set_pad_ver(&st.button, size.pad_small);
    lv_style_set_pad_gap(&st.button, LV_DPX_CALC(dpi, 5));

    lv_style_set_bg_opa(&st.screen, LV_OPA_COVER);
    lv_style_set_bg_color(&st.screen, lv_color_hex(kScreenBg));
    lv_style_set_text_color(&st.screen, text);
    lv_style_set_text_font(&st.screen, m.font);
    lv_style_set_pad_gap(&st.screen, size.pad_small);
    lv_style_set_rotary_sensitivity(&st.screen, kScreenRotarySensitivity);

    auto bg = [](lv_style_t * s, lv_color_t c, lv_opa_t opa, lv_color_t txt) {
        lv_style_set_bg_color(s, c);
        lv_style_set_bg_opa(s, opa);
        lv_style_set_text_color(s, txt);
    };
    bg(&st.bg_primary, m.primary, LV_OPA_COVER, lv_color_white());
    bg(&st.bg_primary_muted, m.primary, LV_OPA_20, m.primary);
    bg(&st.bg_secondary, m.secondary, LV_OPA_COVER, lv_color_white());
    bg(&st.bg_secondary_muted, m.secondary, LV_OPA_20, m.secondary);
    bg(&st.bg_grey, grey, LV_OPA_COVER, text);
    bg(&st.bg_white, lv_color_white(), LV_OPA_COVER, text);

    lv_style_set_recolor(&st.pressed, lv_color_black());
    lv_style_set_recolor_opa(&st.pressed, kPressedRecolorOpa);
    lv_style_set_recolor(&st.disabled, grey);
    lv_style_set_recolor_opa(&st.disabled, LV_OPA_50);

    lv_style_set_outline_color(&st.outline_primary, m.primary);
    lv_style_set_outline_width(&st.outline_primary, outline_w);
    lv_style_set_outline_pad(&st.outline_primary, outline_w);
    lv_style_set_outline_opa(&st.outline_primary, LV_OPA_50);
    lv_style_set_outline_color(&st.outline_secondary, m.secondary);
    lv_style_set_outline_width(&st.outline_secondary, outline_w);
    lv_style_set_outline_opa(&st.outline_secondary, LV_OPA_50);

    lv_style_set_transform_width(&st.grow, LV_DPX_CALC(dpi, 3));
    lv_style_set_transform_height(&st.grow, LV_DPX_CALC(dpi, 3));
    lv_style_set_radius(&st.circle, LV_RADIUS_CIRCLE);
    lv_style_set_clip_corner(&st.clip_corner, true);
    lv_style_set_border_post(&st.clip_corner, true);

    set_pad_all(&st.pad_zero, 0);
    set_pad_all(&st.pad_tiny, size.pad_tiny);
    set_pad_all(&st.pad_small, size.pad_small);

    lv_style_set_bg_color(&st.knob, m.primary);
    lv_style_set_bg_opa(&st.knob, LV_OPA_COVER);
    lv_style_set_pad_all(&st.knob, LV_DPX_CALC(dpi, 6));
    lv_style_set_radius(&st.knob, LV_RADIUS_CIRCLE);

    lv_style_set_arc_color(&st.arc_ring, grey);
    lv_style_set_arc_width(&st.arc_ring, LV_DPX_CALC(dpi, 15));
    lv_style_set_arc_rounded(&st.arc_ring, true);
    lv_style_set_arc_color(&st.arc_indicator, m.primary);
}

void init_widget_styles(const Metrics & m, const Sizes & size)
{
    Styles & st = g_styles;
    const int32_t dpi = m.dpi;
    const lv_color_t grey = lv_color_hex(kGrey);

    lv_style_set_pad_hor(&st.list_bg, size.pad_def);
    lv_style_set_pad_ver(&st.list_bg, 0);
    lv_style_set_pad_gap(&st.list_bg, 0);
    lv_style_set_clip_corner(&st.list_bg, true);

    lv_style_set_border_width(&st.list_btn, LV_DPX_CALC(dpi, 1));
    lv_style_set_border_color(&st.list_btn, grey);
    lv_style_set_border_side(&st.list_btn, LV_BORDER_SIDE_BOTTOM);
    lv_style_set_pad_all(&st.list_btn, size.pad_small);
    lv_style_set_pad_column(&st.list_btn, size.pad_small);
    lv_style_set_radius(&st.list_btn, 0);
    lv_style_set_shadow_width(&st.list_btn, 0);
    lv_style_set_transform_width(&st.list_item_grow, size.pad_def);

    lv_style_set_bg_color(&st.list_text, grey);
    lv_style_set_bg_opa(&st.list_text, LV_OPA_COVER);
    lv_style_set_text_color(&st.list_text, lv_color_hex(kTextColor));
    lv_style_set_pad_all(&st.list_text, 0);
    lv_style_set_transform_width(&st.list_text, size.pad_def);

    lv_style_set_border_color(&st.ta_cursor, lv_color_hex(kTextColor));
    lv_style_set_border_width(&st.ta_cursor, LV_DPX_CALC(dpi, 2));
    lv_style_set_border_side(&st.ta_cursor, LV_BORDER_SIDE_LEFT);
    lv_style_set_pad_left(&st.ta_cursor, -LV_DPX_CALC(dpi, 1));
    lv_style_set_anim_duration(&st.ta_cursor, kCursorBlinkMs);
    lv_style_set_text_color(&st.ta_placeholder, lv_color_hex(kPlaceholder));

    lv_style_set_bg_color(&st.kb_items, lv_color_white());
    lv_style_set_radius(&st.kb_items, size.radius_def);
    lv_style_set_shadow_width(&st.kb_items, 0);

    lv_style_set_bg_color(&st.msgbox_backdrop, lv_color_hex(kGreyMain));
    lv_style_set_bg_opa(&st.msgbox_backdrop, LV_OPA_50);

    lv_style_set_pad_all(&st.cb_gap, 0);
    lv_style_set_pad_gap(&st.cb_gap, LV_DPX_CALC(dpi, 10));

    lv_style_set_pad_all(&st.cb_marker, LV_DPX_CALC(dpi, 3));
    lv_style_set_border_width(&st.cb_marker, LV_DPX_CALC(dpi, 2));
    lv_style_set_border_color(&st.cb_marker, m.primary);
    lv_style_set_bg_color(&st.cb_marker, lv_color_white());
    lv_style_set_bg_opa(&st.cb_marker, LV_OPA_COVER);
    lv_style_set_radius(&st.cb_marker, size.radius_def / 2);
    lv_style_set_text_color(&st.cb_marker, lv_color_white());
    lv_style_set_text_font(&st.cb_marker, m.font);
    lv_style_set_bg_image_src(&st.cb_marker_checked, LV_SYMBOL_OK);

    lv_style_set_bg_color(&st.text_selected, m.primary);
    lv_style_set_bg_opa(&st.text_selected, LV_OPA_COVER);
}

void apply_scrollbar(lv_obj_t * obj)
{
    lv_obj_add_style(obj, &g_styles.scrollbar, LV_PART_SCROLLBAR);
    lv_obj_add_style(obj, &g_styles.scrollbar_scrolled, sel(LV_PART_SCROLLBAR, LV_STATE_SCROLLED));
}

// The outlines of a part focused by a key, and being edited.
void add_key_outlines(lv_obj_t * obj, lv_part_t part)
{
    lv_obj_add_style(obj, &g_styles.outline_primary, sel(part, LV_STATE_FOCUS_KEY));
    lv_obj_add_style(obj, &g_styles.outline_secondary, sel(part, LV_STATE_EDITED));
}

void apply_button_look(lv_obj_t * obj, bool grow)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.transition_delayed, 0);
    lv_obj_add_style(obj, &st.button, 0);
    lv_obj_add_style(obj, &st.bg_primary, 0);
    lv_obj_add_style(obj, &st.pressed, LV_STATE_PRESSED);
    if (grow) lv_obj_add_style(obj, &st.grow, LV_STATE_PRESSED);
    lv_obj_add_style(obj, &st.transition_normal, LV_STATE_PRESSED);
    lv_obj_add_style(obj, &st.outline_primary, LV_STATE_FOCUS_KEY);
    lv_obj_add_style(obj, &st.bg_secondary, LV_STATE_CHECKED);
    lv_obj_add_style(obj, &st.disabled, LV_STATE_DISABLED);
}

void apply_list(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.card, 0);
    lv_obj_add_style(obj, &st.list_bg, 0);
    apply_scrollbar(obj);
}

void apply_list_button(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.bg_white, 0);
    lv_obj_add_style(obj, &st.list_btn, 0);
    lv_obj_add_style(obj, &st.bg_primary, LV_STATE_FOCUS_KEY);
    lv_obj_add_style(obj, &st.list_item_grow, LV_STATE_FOCUS_KEY);
    lv_obj_add_style(obj, &st.list_item_grow, LV_STATE_PRESSED);
    lv_obj_add_style(obj, &st.pressed, LV_STATE_PRESSED);
}

void apply_textarea(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.card, 0);
    lv_obj_add_style(obj, &st.pad_small, 0);
    lv_obj_add_style(obj, &st.disabled, LV_STATE_DISABLED);
    add_key_outlines(obj, LV_PART_MAIN);
    apply_scrollbar(obj);
    lv_obj_add_style(obj, &st.ta_cursor, sel(LV_PART_CURSOR, LV_STATE_FOCUSED));
    lv_obj_add_style(obj, &st.ta_placeholder, LV_PART_TEXTAREA_PLACEHOLDER);
}

void apply_keyboard(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.screen, 0);
    lv_obj_add_style(obj, &st.pad_tiny, 0);
    add_key_outlines(obj, LV_PART_MAIN);
    lv_obj_add_style(obj, &st.button, LV_PART_ITEMS);
    lv_obj_add_style(obj, &st.bg_white, LV_PART_ITEMS);
    lv_obj_add_style(obj, &st.kb_items, LV_PART_ITEMS);
    lv_obj_add_style(obj, &st.disabled, sel(LV_PART_ITEMS, LV_STATE_DISABLED));
    lv_obj_add_style(obj, &st.pressed, sel(LV_PART_ITEMS, LV_STATE_PRESSED));
    lv_obj_add_style(obj, &st.bg_grey, sel(LV_PART_ITEMS, LV_STATE_CHECKED));
    lv_obj_add_style(obj, &st.bg_primary_muted, sel(LV_PART_ITEMS, LV_STATE_FOCUS_KEY));
    lv_obj_add_style(obj, &st.bg_secondary_muted, sel(LV_PART_ITEMS, LV_STATE_EDITED));
}

// A button matrix of its own (not a keyboard): a card with button keys.
void apply_buttonmatrix(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.card, 0);
    add_key_outlines(obj, LV_PART_MAIN);
    lv_obj_add_style(obj, &st.button, LV_PART_ITEMS);
    lv_obj_add_style(obj, &st.disabled, sel(LV_PART_ITEMS, LV_STATE_DISABLED));
    lv_obj_add_style(obj, &st.pressed, sel(LV_PART_ITEMS, LV_STATE_PRESSED));
    lv_obj_add_style(obj, &st.bg_primary, sel(LV_PART_ITEMS, LV_STATE_CHECKED));
    add_key_outlines(obj, LV_PART_ITEMS);
}

void apply_checkbox(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.cb_gap, 0);
    lv_obj_add_style(obj, &st.outline_primary, LV_STATE_FOCUS_KEY);
    lv_obj_add_style(obj, &st.cb_marker, LV_PART_INDICATOR);
    lv_obj_add_style(obj, &st.bg_primary, sel(LV_PART_INDICATOR, LV_STATE_CHECKED));
    lv_obj_add_style(obj, &st.cb_marker_checked, sel(LV_PART_INDICATOR, LV_STATE_CHECKED));
    lv_obj_add_style(obj, &st.pressed, sel(LV_PART_INDICATOR, LV_STATE_PRESSED));
    lv_obj_add_style(obj, &st.grow, sel(LV_PART_INDICATOR, LV_STATE_PRESSED));
    lv_obj_add_style(obj, &st.transition_normal, sel(LV_PART_INDICATOR, LV_STATE_PRESSED));
    lv_obj_add_style(obj, &st.transition_delayed, LV_PART_INDICATOR);
    lv_obj_add_style(obj, &st.disabled, sel(LV_PART_INDICATOR, LV_STATE_DISABLED));
}

void apply_bar(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.bg_primary_muted, 0);
    lv_obj_add_style(obj, &st.circle, 0);
    lv_obj_add_style(obj, &st.pad_zero, 0);
    add_key_outlines(obj, LV_PART_MAIN);
    lv_obj_add_style(obj, &st.bg_primary, LV_PART_INDICATOR);
    lv_obj_add_style(obj, &st.circle, LV_PART_INDICATOR);
}

void apply_arc(lv_obj_t * obj)
{
    Styles & st = g_styles;
    lv_obj_add_style(obj, &st.arc_ring, 0);
    lv_obj_add_style(obj, &st.arc_ring, LV_PART_INDICATOR);
    lv_obj_add_style(obj, &st.arc_indicator, LV_PART_INDICATOR);
    lv_obj_add_style(obj, &st.knob, LV_PART_KNOB);
}

void apply_msgbox_part(lv_obj_t * obj)
{
    Styles & st = g_styles;
    if (lv_obj_check_type(obj, &lv_msgbox_class)) {
        lv_obj_add_style(obj, &st.card, 0);
        lv_obj_add_style(obj, &st.pad_zero, 0);
        lv_obj_add_style(obj, &st.clip_corner, 0);
    } else if (lv_obj_check_type(obj, &lv_msgbox_backdrop_class)) {
        lv_obj_add_style(obj, &st.msgbox_backdrop, 0);
    } else if (lv_obj_check_type(obj, &lv_msgbox_header_class)) {
        lv_obj_add_style(obj, &st.pad_tiny, 0);
        lv_obj_add_style(obj, &st.bg_grey, 0);
    } else if (lv_obj_check_type(obj, &lv_msgbox_content_class)) {
        lv_obj_add_style(obj, &st.pad_tiny, 0);
        apply_scrollbar(obj);
    } else if (lv_obj_check_type(obj, &lv_msgbox_footer_class)) {
        lv_obj_add_style(obj, &st.pad_tiny, 0);
    } else {
        apply_button_look(obj, false);
    }
}

bool is_msgbox_part(const lv_obj_t * obj)
{
    return lv_obj_check_type(obj, &lv_msgbox_class) || lv_obj_check_type(obj, &lv_msgbox_backdrop_class) ||
           lv_obj_check_type(obj, &lv_msgbox_header_class) || lv_obj_check_type(obj, &lv_msgbox_content_class) ||
           lv_obj_check_type(obj, &lv_msgbox_footer_class) || lv_obj_check_type(obj, &lv_msgbox_header_button_class) ||
           lv_obj_check_type(obj, &lv_msgbox_footer_button_class);
}

// The styles of the widget classes the theme knows; false for other classes.
bool apply_widget(lv_obj_t * obj)
{
    if (lv_obj_check_type(obj, &lv_label_class)) {
        lv_obj_t * parent = lv_obj_get_parent(obj);
        if (parent && lv_obj_check_type(parent, &lv_textarea_class)) {
            lv_obj_add_style(obj, &g_styles.text_selected, LV_PART_SELECTED);
        }
        return true;
    }
    if (lv_obj_check_type(obj, &lv_image_class)) return true;
    if (lv_obj_check_type(obj, &lv_buttonmatrix_class)) {
        apply_buttonmatrix(obj);
    } else if (lv_obj_check_type(obj, &lv_button_class)) {
        apply_button_look(obj, true);
    } else if (lv_obj_check_type(obj, &lv_bar_class)) {
        apply_bar(obj);
    } else if (lv_obj_check_type(obj, &lv_arc_class)) {
        apply_arc(obj);
    } else if (lv_obj_check_type(obj, &lv_list_class)) {
        apply_list(obj);
    } else if (lv_obj_check_type(obj, &lv_list_button_class)) {
        apply_list_button(obj);
    } else if (lv_obj_check_type(obj, &lv_list_text_class)) {
        lv_obj_add_style(obj, &g_styles.list_text, 0);
    } else if (lv_obj_check_type(obj, &lv_textarea_class)) {
        apply_textarea(obj);
    } else if (lv_obj_check_type(obj, &lv_keyboard_class)) {
        apply_keyboard(obj);
    } else if (lv_obj_check_type(obj, &lv_checkbox_class)) {
        apply_checkbox(obj);
    } else if (is_msgbox_part(obj)) {
        apply_msgbox_part(obj);
    } else {
        return false;
    }
    return true;
}

}  // namespace

Metrics metrics_for(lv_display_t * disp, lv_color_t primary, lv_color_t secondary, const lv_font_t * font)
{
    return {lv_display_get_dpi(disp), disp != nullptr ? size_class_of(disp) : 1, primary, secondary, font};
}

bool same_metrics(const Metrics & a, const Metrics & b)
{
    return a.dpi == b.dpi && a.size_class == b.size_class && lv_color_eq(a.primary, b.primary) &&
           lv_color_eq(a.secondary, b.secondary) && a.font == b.font;
}

void init_styles(const Metrics & m)
{
    reset_all();
    g_inited = true;
    const Sizes sizes(m);
    init_blocks(m, sizes);
    init_widget_styles(m, sizes);
}

void deinit_styles()
{
    if (!g_inited) return;
    for (lv_style_t * s : g_styles.all()) lv_style_reset(s);
    g_inited = false;
}

void apply_styles(lv_theme_t *, lv_obj_t * obj)
{
    if (!g_inited || apply_widget(obj)) return;
    if (lv_obj_get_parent(obj) == nullptr) {
        lv_obj_add_style(obj, &g_styles.screen, 0);
        apply_scrollbar(obj);
    } else if (lv_obj_check_type(obj, &lv_obj_class)) {
        lv_obj_add_style(obj, &g_styles.card, 0);
        apply_scrollbar(obj);
    }
}

}  // namespace gui::theme
