// The keyboard's built-in key maps and their control bits (relative widths,
// "drawn checked" for function keys, act-on-release for mode/action keys).
#pragma once

#include "lvgl.h"

namespace gui::widgets::keyboard_maps {

constexpr uint32_t kAction = LV_KEYBOARD_CTRL_BUTTON_FLAGS;
constexpr uint32_t kFunction = LV_BUTTONMATRIX_CTRL_CHECKED;

inline constexpr lv_buttonmatrix_ctrl_t ctrl(uint32_t bits)
{
    return static_cast<lv_buttonmatrix_ctrl_t>(bits);
}

inline const char * const text_lower[] = {
    "1#", "q", "w", "e", "r", "t", "y", "u", "i", "o", "p", LV_SYMBOL_BACKSPACE, "\n",
    "ABC", "a", "s", "d", "f", "g", "h", "j", "k", "l", LV_SYMBOL_NEW_LINE, "\n",
    "_", "-", "z", "x", "c", "v", "b", "n", "m", ".", ",", ":", "\n",
    LV_SYMBOL_KEYBOARD, LV_SYMBOL_LEFT, " ", LV_SYMBOL_RIGHT, LV_SYMBOL_OK, ""};

inline const char * const text_upper[] = {
    "1#", "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", LV_SYMBOL_BACKSPACE, "\n",
    "abc", "A", "S", "D", "F", "G", "H", "J", "K", "L", LV_SYMBOL_NEW_LINE, "\n",
    "_", "-", "Z", "X", "C", "V", "B", "N", "M", ".", ",", ":", "\n",
    LV_SYMBOL_CLOSE, LV_SYMBOL_LEFT, " ", LV_SYMBOL_RIGHT, LV_SYMBOL_OK, ""};

inline const lv_buttonmatrix_ctrl_t text_ctrl[] = {
    ctrl(kAction | 5), ctrl(4), ctrl(4), ctrl(4), ctrl(4), ctrl(4), ctrl(4), ctrl(4), ctrl(4),
    ctrl(4), ctrl(4), ctrl(kFunction | 7),
    ctrl(kAction | 6), ctrl(3), ctrl(3), ctrl(3), ctrl(3), ctrl(3), ctrl(3), ctrl(3), ctrl(3),
    ctrl(3), ctrl(kFunction | 7),
    ctrl(kFunction | 1), ctrl(kFunction | 1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1),
    ctrl(1), ctrl(1), ctrl(kFunction | 1), ctrl(kFunction | 1), ctrl(kFunction | 1),
    ctrl(kAction | 2), ctrl(kFunction | 2), ctrl(6), ctrl(kFunction | 2), ctrl(kAction | 2)};

inline const char * const special[] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", LV_SYMBOL_BACKSPACE, "\n",
    "abc", "+", "&", "/", "*", "=", "%", "!", "?", "#", "<", ">", "\n",
    "\\", "@", "$", "(", ")", "{", "}", "[", "]", ";", "\"", "'", "\n",
    LV_SYMBOL_KEYBOARD, LV_SYMBOL_LEFT, " ", LV_SYMBOL_RIGHT, LV_SYMBOL_OK, ""};

inline const lv_buttonmatrix_ctrl_t special_ctrl[] = {
    ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1),
    ctrl(kFunction | 2),
    ctrl(kAction | 2), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1),
    ctrl(1), ctrl(1), ctrl(1),
    ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1),
    ctrl(1), ctrl(1),
    ctrl(kAction | 2), ctrl(kFunction | 2), ctrl(6), ctrl(kFunction | 2), ctrl(kAction | 2)};

inline const char * const number[] = {
    "1", "2", "3", LV_SYMBOL_KEYBOARD, "\n",
    "4", "5", "6", LV_SYMBOL_OK, "\n",
    "7", "8", "9", LV_SYMBOL_BACKSPACE, "\n",
    "+/-", "0", ".", LV_SYMBOL_LEFT, LV_SYMBOL_RIGHT, ""};

inline const lv_buttonmatrix_ctrl_t number_ctrl[] = {
    ctrl(1), ctrl(1), ctrl(1), ctrl(kAction | 2),
    ctrl(1), ctrl(1), ctrl(1), ctrl(kAction | 2),
    ctrl(1), ctrl(1), ctrl(1), ctrl(2),
    ctrl(1), ctrl(1), ctrl(1), ctrl(1), ctrl(1)};

} // namespace gui::widgets::keyboard_maps
