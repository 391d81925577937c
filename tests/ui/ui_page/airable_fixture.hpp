// The main page with the source tiles and the Airable list in reach: the
// shell commands go to a recording stand-in (no program is run), the
// controllers' messages to the recording communication manager of
// tests/comm, and the Airable events are raised as the controller raises
// them.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "comm/airable_data_exchange_internal.h"
#include "fake_comm.h"
#include "main_page_env.hpp"

namespace main_page_test {

// Stands in for the shell: probes answer from `running`, kills take a name
// out of it, starts put one in; every command and its limit is recorded,
// and the clock moves by what each command is told to cost.
struct FakeShell {
    std::set<std::string> running;
    std::vector<std::string> commands;
    std::vector<int32_t> limits;
    int64_t now_ms = 0;
    int64_t sleeps_ms = 0;
    // Milliseconds each command takes; a command that takes longer than its
    // limit is cut off there (and fails, as the runner reports it).
    int64_t command_ms = 1;
    // "killall -w" waits until its limit (a process that does not go away).
    bool wait_hangs = false;
    // Processes that no kill ends (a zombie, a process stuck in the kernel).
    std::set<std::string> unkillable;
};

FakeShell &fake_shell();
// Installs the stand-in as the tiles' process control, fresh.
void install_fake_shell();

struct ListItem {
    char type;
    std::string name;
    uint64_t id = 0;
};

class AirablePageTest : public MainPageTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // One list reply of the service: an event per item, then the end, with
    // the items numbered from `first`.
    void reply(const std::vector<ListItem> &items, uint32_t first, uint32_t total);
    // `count` items "Item <first>" .. of the given type.
    static std::vector<ListItem> items(int count, uint32_t first = 1, char type = '0');
    // The texts of the Airable list's rows, top to bottom.
    std::vector<std::string> rows() const;
    lv_obj_t *row(int i) const;
    lv_obj_t *row_label(int i) const;
    lv_obj_t *row_marker(int i) const;
    // Frames sent to the Airable service since the last call, of one cmd2.
    static std::vector<SentFrame> sent(uint8_t cmd2);
    // The windows of the LIST_DATA requests sent since the last call.
    static std::vector<std::pair<int32_t, int32_t>> windows_asked();
    // The ListDataUI list as the controller leaves it after a reply.
    static void list_data(const std::vector<ListItem> &items);
    // Shows the Airable list page.
    void show_list_page();
};

}  // namespace main_page_test
