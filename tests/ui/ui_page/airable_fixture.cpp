#include "airable_fixture.hpp"

#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "comm/service_supervisor_internal.h"
#include "ui/ui_data_update.h"

namespace main_page_test {

namespace {

FakeShell g_shell;

const char *const kProbe = "killall -0 ";
const char *const kKill = "pkill -9 -x ";
const char *const kKillWait = "killall -w -9 ";
const char *const kQuiet = " 2>/dev/null";

bool starts_with(const std::string &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}

// The program name of a probe or kill command.
std::string name_in(const std::string &command, const char *prefix)
{
    std::string name = command.substr(std::strlen(prefix));
    const size_t quiet = name.find(kQuiet);
    return quiet == std::string::npos ? name : name.substr(0, quiet);
}

// The cost of a command that took `ms` under a limit: cut off at the limit.
int finish(int64_t ms, int32_t limit, int status)
{
    if (limit >= 0 && ms > limit) {
        g_shell.now_ms += limit;
        errno = ETIMEDOUT;
        return -1;
    }
    g_shell.now_ms += ms;
    return status;
}

int shell_run(const char *command, int32_t timeout_ms)
{
    const std::string c = command;
    g_shell.commands.push_back(c);
    g_shell.limits.push_back(timeout_ms);
    if (starts_with(c, kProbe)) {
        return finish(g_shell.command_ms, timeout_ms, g_shell.running.count(name_in(c, kProbe)) ? 0 : 256);
    }
    if (starts_with(c, kKill)) {
        const std::string name = name_in(c, kKill);
        if (!g_shell.unkillable.count(name)) {
            g_shell.running.erase(name);
        }
        return finish(g_shell.command_ms, timeout_ms, 0);
    }
    if (starts_with(c, kKillWait)) {
        const bool lingers = g_shell.wait_hangs && g_shell.running.count(name_in(c, kKillWait));
        return finish(lingers ? INT32_MAX : g_shell.command_ms, timeout_ms, 0);
    }
    if (starts_with(c, "./") && c.size() > 4 && c.compare(c.size() - 2, 2, " &") == 0) {
        g_shell.running.insert(c.substr(2, c.size() - 4));
    }
    return finish(g_shell.command_ms, timeout_ms, 0);
}

int64_t shell_now_ms()
{
    return g_shell.now_ms;
}

void shell_sleep_ms(uint32_t ms)
{
    g_shell.now_ms += ms;
    g_shell.sleeps_ms += ms;
}

const service_ops_t kShellOps = {shell_run, shell_now_ms, shell_sleep_ms};

// The handshake watchdogs would resend INIT and SET_MODE into later tests'
// frames: here they sleep for the rest of the run.
void watchdog_asleep(int, unsigned)
{
    sleep(3600);
}

}  // namespace

FakeShell &fake_shell()
{
    return g_shell;
}

void install_fake_shell()
{
    g_shell = FakeShell{};
    service_set_ops(&kShellOps);
}

void AirablePageTest::SetUp()
{
    MainPageTest::SetUp();
    airable_set_watchdog_sleep(watchdog_asleep);
    g_ex.init_in_progress.store(0);
    g_ex.mode_in_progress.store(0);
    install_fake_shell();
    fake_comm::set_result(0);
    start_ui();
    fake_comm::take();
    take_log();
}

void AirablePageTest::TearDown()
{
    // No request timer may outlive the library.
    airable_request_set_ready(nullptr);
    service_set_ops(nullptr);
    fake_comm::set_result(FW_ERR_NO_CLIENT);
    MainPageTest::TearDown();
}

void AirablePageTest::reply(const std::vector<ListItem> &list, uint32_t first, uint32_t total)
{
    uint32_t index = first;
    airable_list_count_t count{};
    for (const ListItem &i : list) {
        airable_list_item_t item{};
        item.type = (uint8_t)i.type;
        item.id = i.id;
        snprintf(item.name, sizeof item.name, "%s", i.name.c_str());
        airable_ui_event_cb(AIRABLE_UI_LIST_ITEM, &item);
        count = {total, index++};
    }
    airable_ui_event_cb(AIRABLE_UI_LIST_DONE, &count);
}

std::vector<ListItem> AirablePageTest::items(int count, uint32_t first, char type)
{
    std::vector<ListItem> out;
    for (int i = 0; i < count; i++) {
        out.push_back({type, "Item " + std::to_string(first + (uint32_t)i), 1000 + first + (uint32_t)i});
    }
    return out;
}

std::vector<std::string> AirablePageTest::rows() const
{
    std::vector<std::string> out;
    for (uint32_t i = 0; i < lv_obj_get_child_count(m.list_radio); i++) {
        const auto *item = (const list_msg_item_t *)lv_obj_get_user_data(row((int)i));
        out.push_back(item ? item->name : "<no buffer>");
    }
    return out;
}

lv_obj_t *AirablePageTest::row(int i) const
{
    return lv_obj_get_child(m.list_radio, i);
}

// Children of a row: marker, box, label (no row here has an icon).
lv_obj_t *AirablePageTest::row_label(int i) const
{
    return lv_obj_get_child(row(i), 2);
}

lv_obj_t *AirablePageTest::row_marker(int i) const
{
    return lv_obj_get_child(row(i), 0);
}

std::vector<SentFrame> AirablePageTest::sent(uint8_t cmd2)
{
    std::vector<SentFrame> out;
    for (SentFrame &f : fake_comm::take()) {
        if (f.cmd2 == cmd2) {
            out.push_back(std::move(f));
        }
    }
    return out;
}

std::vector<std::pair<int32_t, int32_t>> AirablePageTest::windows_asked()
{
    std::vector<std::pair<int32_t, int32_t>> out;
    for (const SentFrame &f : sent(APP_CMD2_AIRABLE_LIST_DATA)) {
        if (f.payload.size() == AIRABLE_LIST_REQ_LEN) {
            out.emplace_back((int32_t)app_rd_be32(&f.payload[AIRABLE_LIST_REQ_OFF_START]),
                             (int32_t)app_rd_be32(&f.payload[AIRABLE_LIST_REQ_OFF_END]));
        }
    }
    return out;
}

void AirablePageTest::list_data(const std::vector<ListItem> &list)
{
    ListDataUIListClean(ui_run_page.list_head);
    for (const ListItem &i : list) {
        ListDataUIData d{};
        d.type = (uint32_t)(uint8_t)i.type;
        d.id_identifier = i.id;
        snprintf(d.title, sizeof d.title, "%s", i.name.c_str());
        ListDataUIListPushBack(ui_run_page.list_head, &d);
    }
}

void AirablePageTest::show_list_page()
{
    lv_obj_scroll_to_x(m.pager, 3 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
}

}  // namespace main_page_test
