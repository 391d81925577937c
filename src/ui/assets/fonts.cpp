// The font name table: the label font, then every built-in size.
#include "ui/ui_assets.h"

const ui_font_entry_t fonts[UI_FONT_TABLE_SIZE] = {
    {"font_main", &ui_font_font_main},
    {"MONTSERRAT_12", &lv_font_montserrat_12},
    {"MONTSERRAT_14", &lv_font_montserrat_14},
    {"MONTSERRAT_16", &lv_font_montserrat_16},
    {"MONTSERRAT_18", &lv_font_montserrat_18},
    {"MONTSERRAT_20", &lv_font_montserrat_20},
    {"MONTSERRAT_22", &lv_font_montserrat_22},
    {"MONTSERRAT_24", &lv_font_montserrat_24},
    {"MONTSERRAT_26", &lv_font_montserrat_26},
    {"MONTSERRAT_28", &lv_font_montserrat_28},
    {"MONTSERRAT_30", &lv_font_montserrat_30},
    {"MONTSERRAT_32", &lv_font_montserrat_32},
    {"MONTSERRAT_34", &lv_font_montserrat_34},
    {"MONTSERRAT_36", &lv_font_montserrat_36},
    {"MONTSERRAT_38", &lv_font_montserrat_38},
    {"MONTSERRAT_40", &lv_font_montserrat_40},
    {"MONTSERRAT_42", &lv_font_montserrat_42},
    {"MONTSERRAT_44", &lv_font_montserrat_44},
    {"MONTSERRAT_46", &lv_font_montserrat_46},
    {"MONTSERRAT_48", &lv_font_montserrat_48},
};
