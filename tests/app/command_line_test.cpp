// The command line and the environment, run against the real binary.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "process.hpp"
#include "temp_dir.hpp"

namespace {

const std::string kBanner = "\033[1;33m[LVGL_UI][main:@N@]\033[0m \n[LVGL pid: @PID@]\n";
const std::string kUsage =
    "\nquorvex [-V] [-B] [-b backend_name] [-W window_width] [-H window_height]\n\n"
    "-V print LVGL version\n"
    "-B list supported backends\n";
const std::string kVersion = "9.4.0-dev\n";

struct ExitCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;  // pattern for the whole of standard output
    std::string err;  // the whole of standard error, byte for byte
    int status;
};

const ExitCase kExitCases[] = {
    {"version", {"-V"}, kBanner + kVersion, "", 0},
    {"backends",
     {"-B"},
     kBanner + "Default backend: DRM\nSupported backends: DRM EVDEV \n",
     "",
     0},
    {"help", {"-h"}, kBanner + kUsage, "", 0},
    {"unknown option", {"-x"}, kBanner + kUsage, "Unknown option -x.\n", 1},
    {"version before a bad option", {"-V", "-x"}, kBanner + kVersion, "", 0},
    {"width without argument", {"-W"}, kBanner + kUsage, "Option -W requires an argument.\n", 1},
    {"backend without argument", {"-b"}, kBanner + kUsage, "Option -b requires an argument.\n", 1},
    {"width not a number", {"-W", "abc", "-H", "7", "-V"}, kBanner + kVersion, "", 0},
    {"accepted options without effect", {"-f", "-m", "-V"}, kBanner + kVersion, "", 0},
    {"arguments that are not options", {"stray", "-V"}, kBanner + kVersion, "", 0},
    {"unknown backend", {"-b", "foo"}, kBanner, "error no such backend: FOO\n", 1},
    {"later backend checked too", {"-b", "drm", "-b", "x1"}, kBanner, "error no such backend: X1\n", 1},
    {"backend name shown escaped and cut",
     {"-b", "a\nb\x1b" + std::string(100, 'z')},
     kBanner,
     "error no such backend: A\\x0aB\\x1b" + std::string(54, 'Z') + "...\n",  // 64 characters
     1},
    {"backend name not UTF-8 escaped, Chinese kept",
     {"-b", "\xc0\xaf\x9b\xe4\xb8" "中"},
     kBanner,
     "error no such backend: \\xc0\\xaf\\x9b\\xe4\\xb8中\n",
     1},
    {"option letter shown escaped", {"-\x01"}, kBanner + kUsage, "Unknown option -\\x01.\n", 1},
    {"option letter 0x9b shown escaped", {"-\x9b"}, kBanner + kUsage, "Unknown option -\\x9b.\n", 1},
    {"input backend as display",
     {"-b", "evdev"},
     kBanner +
         "[Error]\t(@N@.@N@, +@N@)\t @W@: Failed to init indev backend: EVDEV - display needs to "
         "be initialized @W@:@N@\n",
     "Failed to initialize display backend",
     1},
};

void PrintTo(const ExitCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExitingCommandLine : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitingCommandLine, PrintsExactlyAndExits)
{
    const ExitCase& c = GetParam();
    RunRequest req;
    req.args = c.args;
    const RunResult r = run_quorvex(req);
    ASSERT_FALSE(r.timed_out);
    EXPECT_TRUE(matches(c.out, r.out, r.pid)) << "stdout was:\n" << r.out;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Table, ExitingCommandLine, ::testing::ValuesIn(kExitCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return n;
                         });

// Start-ups that run until SIGINT: the lines each must print, in order.
struct RunCase {
    const char* name;
    std::vector<std::string> args;
    std::map<std::string, std::string> env;  // "@DIR@" in a value: the working folder
    std::vector<std::string> lines;
    bool panel;  // the virtual panel file appears in the working folder
};

const std::string kUiOk = "\033[1;33m[LVGL_UI][user_ui_init:@N@]\033[0m user_ui_init    ok!";
const std::string kFontFailed =
    "[Error]\t(@N@.@N@, +@N@)\t @W@: freetype font create failed. @W@:@N@";
const std::string kDiscovery =
    "[User]\t(@N@.@N@, +@N@)\t init_pointer_evdev: Using evdev automatic discovery. @W@:@N@";
const std::string kDone = "\033[1;33m[LVGL_UI][main:@N@]\033[0m ui_user_init done ! ";
const std::string kStopped = "Ctrl+C received, killing all apps...";

const RunCase kRunCases[] = {
    {"panel from the environment",
     {"-b", "drm"},
     {{"LV_LINUX_DRM_CARD", "@DIR@/panel.bmp"}},
     {kDiscovery, kUiOk, kFontFailed, kFontFailed, kDone, kStopped},
     true},
    {"pointer device that cannot be opened",
     {},
     {{"LV_LINUX_DRM_CARD", "@DIR@/panel.bmp"}, {"/dev/input/touchscreen0", "@DIR@/none"}},
     {"[Warn]\t(@N@.@N@, +@N@)\t lv_evdev_create: cannot open \"@DIR@/none\": No such file or "
      "directory "
      "@W@:@N@",
      "[User]\t(@N@.@N@, +@N@)\t init_pointer_evdev: indev == NULL @W@:@N@", kUiOk, kDone, kStopped},
     true},
    {"window size variables change nothing",
     {"-W", "12"},
     {{"LV_LINUX_DRM_CARD", "@DIR@/panel.bmp"}, {"LV_SIM_WINDOW_WIDTH", "abc"},
      {"LV_SIM_WINDOW_HEIGHT", "3"}},
     {kUiOk, kDone, kStopped},
     true},
    {"card that cannot be opened",
     {},
     {{"LV_LINUX_DRM_CARD", "@DIR@/no-such-folder/card0"}},
     {"[Error]\t(@N@.@N@, +@N@)\t @W@: cannot open \"@DIR@/no-such-folder/card0\" @W@:@N@", kUiOk,
      kDone, kStopped},
     false},
};

void PrintTo(const RunCase& c, std::ostream* os)
{
    *os << c.name;
}

class RunningCommandLine : public ::testing::TestWithParam<RunCase> {};

std::string replace_all(std::string s, const std::string& from, const std::string& to)
{
    for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) {
        s.replace(p, from.size(), to);
    }
    return s;
}

TEST_P(RunningCommandLine, StartsUpAndStopsOnSigint)
{
    const RunCase& c = GetParam();
    const TempDir tmp("app");
    const std::string& dir = tmp.path();
    RunRequest req{c.args, {}, dir, "ui_user_init done !", c.panel ? dir + "/panel.bmp" : ""};
    for (const auto& [k, v] : c.env) {
        req.env[k] = replace_all(v, "@DIR@", dir);
    }
    std::vector<std::string> lines;
    for (const std::string& l : c.lines) {
        lines.push_back(replace_all(l, "@DIR@", dir));
    }
    const RunResult r = run_quorvex(req);
    ASSERT_FALSE(r.timed_out) << r.out;
    EXPECT_EQ(missing_in_order(lines, r.out, r.pid), "") << "stdout was:\n" << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);

    struct stat st {};
    const bool have_panel = stat((dir + "/panel.bmp").c_str(), &st) == 0;
    EXPECT_EQ(have_panel, c.panel);
    if (c.panel) {
        std::ifstream bmp(dir + "/panel.bmp", std::ios::binary);
        const std::string head((std::istreambuf_iterator<char>(bmp)), {});
        ASSERT_GE(head.size(), 54u);
        EXPECT_EQ(head.substr(0, 2), "BM");
        const auto u32 = [&](size_t at) {
            return uint32_t(uint8_t(head[at])) | uint32_t(uint8_t(head[at + 1])) << 8 |
                   uint32_t(uint8_t(head[at + 2])) << 16 | uint32_t(uint8_t(head[at + 3])) << 24;
        };
        EXPECT_EQ(u32(18), 640u);
        EXPECT_EQ(u32(22), 480u);
        EXPECT_EQ(head.size(), 54u + 640u * 480u * 4u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RunningCommandLine, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return n;
                         });

}  // namespace
