#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "hostile_text.hpp"
#include "stdout_capture.hpp"
#include "ui/list_data_ui.h"

namespace {

ListDataUIData item(const char *title, uint32_t index = 0, uint64_t id = 0)
{
    ListDataUIData d{};
    d.index = index;
    d.id_identifier = id;
    std::snprintf(d.title, sizeof d.title, "%s", title);
    return d;
}

std::vector<std::string> forward(const ListDataUINode *head)
{
    std::vector<std::string> out;
    for (const ListDataUINode *n = head->next; n != head; n = n->next) {
        out.emplace_back(n->data.title);
    }
    return out;
}

std::vector<std::string> backward(const ListDataUINode *head)
{
    std::vector<std::string> out;
    for (const ListDataUINode *n = head->prev; n != head; n = n->prev) {
        out.emplace_back(n->data.title);
    }
    return out;
}

using Names = std::vector<std::string>;

class ListData : public ::testing::Test {
protected:
    void SetUp() override
    {
        head = ListDataUIListInit();
        ASSERT_NE(head, nullptr);
    }
    void TearDown() override
    {
        ListDataUIListClean(head);
        std::free(head);
    }
    void push_back(std::initializer_list<const char *> titles)
    {
        for (const char *t : titles) {
            ListDataUIData d = item(t);
            ListDataUIListPushBack(head, &d);
        }
    }
    ListDataUINode *head = nullptr;
};

TEST_F(ListData, FreshListIsAnEmptyZeroHeadLinkedToItself)
{
    EXPECT_EQ(head->next, head);
    EXPECT_EQ(head->prev, head);
    const ListDataUIData zero{};
    EXPECT_EQ(std::memcmp(&head->data, &zero, sizeof zero), 0);
    EXPECT_EQ(ListDataUIListGetLength(head), 0u);
    EXPECT_EQ(ListDataUIListClean(head), 0u);
}

TEST_F(ListData, PushBackKeepsOrderBothWays)
{
    push_back({"A", "B", "C"});
    EXPECT_EQ(forward(head), (Names{"A", "B", "C"}));
    EXPECT_EQ(backward(head), (Names{"C", "B", "A"}));
    EXPECT_EQ(ListDataUIListGetLength(head), 3u);
    EXPECT_EQ(ListDataUIGetlenth(head), 3u);
}

TEST_F(ListData, PushHeadPutsTheItemFirst)
{
    push_back({"B", "C"});
    ListDataUIData a = item("A");
    ListDataUIListPushHead(head, &a);
    EXPECT_EQ(forward(head), (Names{"A", "B", "C"}));
    EXPECT_EQ(backward(head), (Names{"C", "B", "A"}));
}

TEST_F(ListData, PopsRemoveFromTheirEnd)
{
    push_back({"A", "B", "C"});
    EXPECT_EQ(ListDataUIListPopHead(head), 0);
    EXPECT_EQ(forward(head), (Names{"B", "C"}));
    EXPECT_EQ(ListDataUIListPopBack(head), 0);
    EXPECT_EQ(forward(head), (Names{"B"}));
    EXPECT_EQ(backward(head), (Names{"B"}));
}

TEST_F(ListData, DeleteUnlinksOneNode)
{
    push_back({"A", "B", "C"});
    EXPECT_EQ(ListDataUIListDelete(head->next->next), 0);
    EXPECT_EQ(forward(head), (Names{"A", "C"}));
    EXPECT_EQ(backward(head), (Names{"C", "A"}));
    EXPECT_EQ(ListDataUIListDelete(nullptr), -1);
}

TEST_F(ListData, CleanEmptiesAndTheHeadIsReusable)
{
    push_back({"A", "B", "C", "D"});
    EXPECT_EQ(ListDataUIListClean(head), 4u);
    EXPECT_EQ(head->next, head);
    EXPECT_EQ(head->prev, head);
    push_back({"E"});
    EXPECT_EQ(forward(head), (Names{"E"}));
    EXPECT_EQ(ListDataUIListClean(head), 1u);
}

TEST_F(ListData, TheListKeepsItsOwnCopies)
{
    ListDataUIData d = item("original", 7, 123456789012345ULL);
    std::snprintf(d.url, sizeof d.url, "http://a/b");
    ListDataUIListPushBack(head, &d);
    std::snprintf(d.title, sizeof d.title, "changed");
    d.id_identifier = 1;
    const ListDataUIData &stored = head->next->data;
    EXPECT_STREQ(stored.title, "original");
    EXPECT_STREQ(stored.url, "http://a/b");
    EXPECT_EQ(stored.index, 7u);
    EXPECT_EQ(stored.id_identifier, 123456789012345ULL);
}

TEST_F(ListData, EmptyListOperationsPrintTheirMessage)
{
    struct Case {
        const char *name;
        int (*op)(ListDataUINode *);
        int result;
        const char *out;
    };
    const Case cases[] = {
        {"pop head", [](ListDataUINode *h) { return (int)ListDataUIListPopHead(h); }, -1,
         "空表怎么头删\n"},
        {"pop back", [](ListDataUINode *h) { return (int)ListDataUIListPopBack(h); }, -1,
         "空表怎么尾删\n"},
        {"length with message", [](ListDataUINode *h) { return (int)ListDataUIGetlenth(h); }, 0,
         "\033[1;33m[LVGL_UI][ListDataUIGetlenth:"},
        {"dump", [](ListDataUINode *h) { ListDataUIDisplayAll(h); return 0; }, 0,
         "\033[1;33m[LVGL_UI][ListDataUIDisplayAll:"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StdoutCapture captured;
        EXPECT_EQ(c.op(head), c.result);
        const std::string out = captured.text();
        EXPECT_EQ(out.rfind(c.out, 0), 0u) << out;
        if (std::strstr(c.out, "LVGL_UI") != nullptr) {
            EXPECT_NE(out.find("\033[0m index  0 cnt\n"), std::string::npos) << out;
        }
        EXPECT_EQ(head->next, head);
    }
}

TEST(ListDataUINullHead, CountsAreZeroAndPopsFailQuietly)
{
    StdoutCapture captured;
    EXPECT_EQ(ListDataUIListGetLength(nullptr), 0u);
    EXPECT_EQ(ListDataUIListClean(nullptr), 0u);
    EXPECT_EQ(ListDataUIListPopHead(nullptr), -1);
    EXPECT_EQ(ListDataUIListPopBack(nullptr), -1);
    EXPECT_EQ(captured.text(), "");
}

// A head whose allocation failed is an empty list that cannot be filled:
// pushes do nothing, the dump and the counting dump show it empty.
TEST(ListDataUINullHead, IsAnEmptyListThatCannotBeFilled)
{
    const ListDataUIData d = {};
    ListDataUIListPushBack(nullptr, &d);
    ListDataUIListPushHead(nullptr, &d);
    for (auto dump : {+[] { ListDataUIDisplayAll(nullptr); },
                      +[] { EXPECT_EQ(ListDataUIGetlenth(nullptr), 0u); }}) {
        StdoutCapture captured;
        dump();
        const std::string out = captured.text();
        EXPECT_NE(out.find("\033[0m index  0 cnt\n"), std::string::npos) << out;
    }
}

TEST_F(ListData, DumpPrintsFourLinesPerItemWithEmptyRedirection)
{
    ListDataUIData d = item("Radio One", 3, 42);
    std::snprintf(d.url, sizeof d.url, "http://x");
    ListDataUIListPushBack(head, &d);
    StdoutCapture captured;
    ListDataUIDisplayAll(head);
    const std::string out = captured.text();
    ASSERT_TRUE(lines_in_order(out, {
                                        "\033[0m index    :[0003] title:[Radio One]\n",
                                        "\033[0m id_identifier        :[42] \n",
                                        "\033[0m redirection_url      :[] \n",
                                        "\033[0m url                  :[http://x] \n",
                                    }));
    size_t lines = 0;
    for (char ch : out) {
        lines += ch == '\n';
    }
    EXPECT_EQ(lines, 4u);
}

// The records hold the service's texts: the dump shows them escaped.
TEST_F(ListData, DumpShowsTheTextsEscaped)
{
    ListDataUIData d = item(test_support::kHostileName.c_str(), 1, 7);
    std::snprintf(d.url, sizeof d.url, "%s", test_support::kHostileName.c_str());
    std::snprintf(d.redirection_url, sizeof d.redirection_url, "%s", test_support::kHostileName.c_str());
    ListDataUIListPushBack(head, &d);
    StdoutCapture captured;
    ListDataUIDisplayAll(head);
    const std::string out = captured.text();
    const std::string &shown = test_support::kHostileShown;
    ASSERT_TRUE(lines_in_order(out, {
                                        ("\033[0m index    :[0001] title:[" + shown + "]\n").c_str(),
                                        ("\033[0m redirection_url      :[" + shown + "] \n").c_str(),
                                        ("\033[0m url                  :[" + shown + "] \n").c_str(),
                                    }));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);
}

TEST_F(ListData, DumpStaysInsideAFieldWithoutTerminator)
{
    ListDataUIData d{};
    std::memset(d.title, 'T', sizeof d.title);
    std::memset(d.url, 'U', sizeof d.url);
    std::memset(d.redirection_url, 'R', sizeof d.redirection_url);
    ListDataUIListPushBack(head, &d);
    StdoutCapture captured;
    ListDataUIDisplayAll(head);
    const std::string out = captured.text();
    EXPECT_NE(out.find("title:[" + std::string(sizeof d.title, 'T') + "]\n"), std::string::npos);
    EXPECT_NE(out.find(":[" + std::string(sizeof d.url, 'U') + "] \n"), std::string::npos);
}

}  // namespace
