// Every widget call checks its object as LVGL does with LV_USE_ASSERT_OBJ: a
// call on an object of another class, on a deleted object or on NULL logs an
// error line naming the call and halts, so a misuse fails here at once.
#include "widget_env.hpp"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

using widget_test::WidgetTest;

namespace {

struct Misuse {
    const char * name;
    void (*call)(lv_obj_t * scr);
    const char * func;  // the call the error line names
    const char * expr;  // the check that failed
    const char * why;
    const char * file;
    bool in_every_build;  // false: only where widget calls check their object (not Release)
};

void PrintTo(const Misuse & m, std::ostream * os)
{
    *os << m.name;
}

const Misuse kMisuses[] = {
    {"label_call_on_a_bar", [](lv_obj_t * scr) { lv_label_get_text(lv_bar_create(scr)); }, "lv_label_get_text",
     "lv_obj_has_class(obj, &lv_label_class)", "object of another class", "label.cpp", false},
    {"arc_call_on_a_label", [](lv_obj_t * scr) { lv_arc_set_value(lv_label_create(scr), 5); }, "lv_arc_set_value",
     "lv_obj_has_class(obj, &lv_arc_class)", "object of another class", "arc.cpp", false},
    {"keyboard_call_on_its_base_class",
     [](lv_obj_t * scr) { lv_keyboard_set_mode(lv_buttonmatrix_create(scr), LV_KEYBOARD_MODE_NUMBER); },
     "lv_keyboard_set_mode", "lv_obj_has_class(kb, &lv_keyboard_class)", "object of another class", "keyboard.cpp",
     false},
    {"keyboard_bound_to_a_label",
     [](lv_obj_t * scr) { lv_keyboard_set_textarea(lv_keyboard_create(scr), lv_label_create(scr)); },
     "lv_keyboard_set_textarea", "lv_obj_has_class(ta, &lv_textarea_class)", "object of another class", "keyboard.cpp",
     false},
    {"msgbox_call_on_a_plain_object", [](lv_obj_t * scr) { lv_msgbox_get_content(lv_obj_create(scr)); },
     "lv_msgbox_get_content", "lv_obj_has_class(obj, &lv_msgbox_class)", "object of another class", "msgbox.cpp",
     false},
    {"label_call_on_a_deleted_label",
     [](lv_obj_t * scr) {
         lv_obj_t * label = lv_label_create(scr);
         lv_obj_delete(label);
         lv_label_set_text(label, "gone");
     },
     "lv_label_set_text", "lv_obj_is_valid(obj)", "deleted or unknown object", "label.cpp", false},
    {"textarea_call_on_null", [](lv_obj_t *) { lv_textarea_get_text(nullptr); }, "lv_textarea_get_text", "obj != NULL",
     "NULL pointer", "textarea.cpp", true},
};

std::string regex_literal(const std::string & text)
{
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}

/** The whole error line: level, time stamp, call, expression, reason, file and line. */
std::string error_line(const Misuse & m)
{
    return "\\[Error\\]\t\\([0-9]+\\.[0-9]{3}, \\+[0-9]+\\)\t " + regex_literal(m.func) +
           ": Asserted at expression: " + regex_literal(m.expr) + " \\(" + regex_literal(m.why) + "\\) " +
           regex_literal(m.file) + ":[0-9]+\n";
}

// Death tests only see standard error; the log goes to standard output.
void log_to_stderr(lv_log_level_t, const char * line)
{
    std::fputs(line, stderr);
}

class WidgetMisuseDeathTest : public WidgetTest, public ::testing::WithParamInterface<Misuse> {};

TEST_P(WidgetMisuseDeathTest, LogsTheFailedCheckAndHalts)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Misuse & m = GetParam();
    if (!m.in_every_build && !LV_USE_ASSERT_OBJ) GTEST_SKIP() << "this build does not check widget objects";
    EXPECT_DEATH(
        {
            lv_log_register_print_cb(log_to_stderr);
            m.call(scr);
        },
        error_line(m));
}

INSTANTIATE_TEST_SUITE_P(Misuse, WidgetMisuseDeathTest, ::testing::ValuesIn(kMisuses),
                         [](const auto & info) { return std::string(info.param.name); });

std::vector<std::string> g_errors;

void record_errors(lv_log_level_t level, const char * line)
{
    if (level >= LV_LOG_LEVEL_ERROR) g_errors.emplace_back(line);
}

using WidgetCheck = WidgetTest;

// An object of a class derived from the widget's passes its checks (the
// keyboard is a button matrix, a list's text a label), and a keyboard is
// unbound with NULL.
TEST_F(WidgetCheck, ObjectsOfDerivedClassesPass)
{
    g_errors.clear();
    lv_log_register_print_cb(record_errors);
    lv_obj_t * kb = lv_keyboard_create(scr);
    EXPECT_NE(lv_buttonmatrix_get_map(kb), nullptr);
    lv_obj_t * list = lv_list_create(scr);
    lv_obj_t * text = lv_list_add_text(list, "Section");
    lv_label_set_text(text, "Renamed");
    EXPECT_STREQ(lv_label_get_text(text), "Renamed");
    lv_keyboard_set_textarea(kb, nullptr);
    EXPECT_EQ(lv_keyboard_get_textarea(kb), nullptr);
    EXPECT_EQ(g_errors, std::vector<std::string>{});
}

}  // namespace
