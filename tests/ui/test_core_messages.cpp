// Messages of the window layer: sent and posted messages, their order, the
// message map's kinds of binding, and windows that go away with messages
// still queued for them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostContext.h"
#include "ui/CWnd.h"
#include "ui/WindowSystem.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

// A window that writes down every message its handlers see.
class LogWindow : public CWnd {
  public:
    std::vector<std::string> log;

  protected:
    int OnCreate() override {
        log.push_back("create");
        return 0;
    }
    void OnDestroy() override { log.push_back("destroy"); }
    void OnSize(UINT, int cx, int cy) override {
        log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnTimer(UINT id) override { log.push_back("timer " + std::to_string(id)); }
    void OnKeyDown(UINT key, UINT repeat, UINT) override {
        log.push_back("key " + std::to_string(key) + " x" + std::to_string(repeat));
    }
};

class MessagesTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    LogWindow top;

    void SetUp() override {
        ASSERT_TRUE(top.Create("top", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    }
};

TEST_F(MessagesTest, PostedMessagesArriveInOrderOnlyWhenPumpedAfterTheQueue) {
    top.log.clear();
    top.PostMessage(WM_KEYDOWN, VK_DOWN, 1);
    top.PostMessage(WM_KEYDOWN, VK_UP, 2);
    top.SendMessage(WM_KEYDOWN, VK_HOME, 3);  // sent: handled at once, ahead of the queue
    EXPECT_EQ(top.log, (std::vector<std::string>{"key 36 x3"}));
    EXPECT_EQ(ui.Pump(), 2);
    EXPECT_EQ(top.log, (std::vector<std::string>{"key 36 x3", "key 40 x1", "key 38 x2"}));
    EXPECT_EQ(ui.Pump(), 0);

    // Messages posted while handling are delivered after the queue.
    std::vector<int> order;
    top.GetMessageMap().On(WM_USER + 1, [&](WPARAM w, LPARAM) -> LRESULT {
        order.push_back(static_cast<int>(w));
        if (w == 1)
            top.PostMessage(WM_USER + 1, 3, 0);
        return 0;
    });
    top.PostMessage(WM_USER + 1, 1, 0);
    top.PostMessage(WM_USER + 1, 2, 0);
    ui.Pump();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(MessagesTest, CreationSendsCreateThenSizeAndMessagesForAWindowThatWentAwayAreDropped) {
    EXPECT_EQ(top.log, (std::vector<std::string>{"create", "size 400x300"}));
    top.MoveWindow(CRect(10, 10, 410, 310));  // moved, same size: no size message
    top.MoveWindow(CRect(10, 10, 210, 110));
    EXPECT_EQ(top.log.back(), "size 200x100");
    EXPECT_EQ(top.log.size(), 3u);

    auto child = std::make_unique<LogWindow>();
    ASSERT_TRUE(child->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 5));
    child->PostMessage(WM_KEYDOWN, VK_DOWN, 1);
    top.PostMessage(WM_KEYDOWN, VK_UP, 1);
    child.reset();
    top.log.clear();
    EXPECT_EQ(ui.Pump(), 1);
    EXPECT_EQ(top.log, (std::vector<std::string>{"key 38 x1"}));
    EXPECT_FALSE(CWnd().PostMessage(WM_USER)) << "a window that does not exist takes no messages";
}

TEST_F(MessagesTest, MapBindsCommandsControlsRangesAndNotificationsTheLatestBindingWinning) {
    std::vector<std::string> seen;
    MessageMap& map = top.GetMessageMap();
    map.OnCommand(2050, [&] { seen.push_back("command 2050"); });
    map.OnControl(3004, 1, [&] { seen.push_back("selchange 3004"); });
    map.OnCommandRange(5050, 5060, [&](UINT id) { seen.push_back("range " + std::to_string(id)); });
    map.OnNotify(3100, TCN_SELCHANGE, [&](NMHDR* header, LRESULT* result) {
        seen.push_back("notify from " + std::to_string(header->idFrom));
        *result = 7;
    });

    top.SendMessage(WM_COMMAND, MAKEWPARAM(2050, 0), 0);
    top.SendMessage(WM_COMMAND, MAKEWPARAM(3004, 1), 0);
    top.SendMessage(WM_COMMAND, MAKEWPARAM(3004, 8),
                    0);  // another code of the same control: not bound
    top.SendMessage(WM_COMMAND, MAKEWPARAM(5050, 0), 0);
    top.SendMessage(WM_COMMAND, MAKEWPARAM(5060, 0), 0);
    top.SendMessage(WM_COMMAND, MAKEWPARAM(5061, 0), 0);  // outside the range
    NMHDR header{0, 3100, TCN_SELCHANGE};
    EXPECT_EQ(top.SendMessage(WM_NOTIFY, 3100, reinterpret_cast<LPARAM>(&header)), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"command 2050", "selchange 3004", "range 5050",
                                              "range 5060", "notify from 3100"}));

    // A later binding replaces an earlier one, and the map comes before the virtual handler.
    top.log.clear();
    int calls = 0;
    top.GetMessageMap().On(WM_KEYDOWN, [&](WPARAM, LPARAM) -> LRESULT { return calls += 1; });
    top.GetMessageMap().On(WM_KEYDOWN, [&](WPARAM, LPARAM) -> LRESULT { return calls += 10; });
    top.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(calls, 10);
    EXPECT_TRUE(top.log.empty())
        << "the virtual handler runs only when the map does not take the message";
}

TEST_F(MessagesTest, RegisteredMessagesHaveOneNumberPerName) {
    const UINT size = RegisterWindowMessage("KQMSG_CHANGESIZE");
    const UINT paint = RegisterWindowMessage("KQMSG_DOPAINTLAYOUT");
    EXPECT_GE(size, kFirstRegisteredMessage);
    EXPECT_NE(size, paint);
    EXPECT_EQ(RegisterWindowMessage("KQMSG_CHANGESIZE"), size);
    int got = 0;
    top.GetMessageMap().OnRegistered(
        "KQMSG_CHANGESIZE", [&](WPARAM w, LPARAM) -> LRESULT { return got = static_cast<int>(w); });
    top.SendMessage(size, 42, 0);
    EXPECT_EQ(got, 42);
}

// A control that tells its parent about itself the way controls do.
class Notifier : public CWnd {
  public:
    void Fire(WORD code) { NotifyParent(code); }
    LRESULT FireNotify(UINT code) { return NotifyParent(code, nullptr); }
};

TEST_F(MessagesTest, ControlsNotifyTheirParentWithTheirId) {
    Notifier control;
    ASSERT_TRUE(control.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 3005));
    WPARAM commandParam = 0;
    LPARAM commandFrom = 0;
    top.GetMessageMap().On(WM_COMMAND, [&](WPARAM w, LPARAM l) -> LRESULT {
        commandParam = w;
        commandFrom = l;
        return 0;
    });
    control.Fire(8);
    EXPECT_EQ(LOWORD(commandParam), 3005);
    EXPECT_EQ(HIWORD(commandParam), 8);
    EXPECT_EQ(static_cast<HWND>(commandFrom), control.GetSafeHwnd());

    UINT from = 0, code = 0;
    top.GetMessageMap().On(WM_NOTIFY, [&](WPARAM, LPARAM l) -> LRESULT {
        const auto* header = reinterpret_cast<const NMHDR*>(l);
        from = header->idFrom;
        code = header->code;
        return 1;
    });
    EXPECT_EQ(control.FireNotify(DTN_CLOSEUP), 1);
    EXPECT_EQ(from, 3005u);
    EXPECT_EQ(code, DTN_CLOSEUP);
}

}  // namespace
