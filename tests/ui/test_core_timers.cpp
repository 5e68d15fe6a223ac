// Timers by id on a window, on the headless clock: restarting, killing, the
// order of firing, and the deferred-refresh pattern of one firing per quiet
// period.
#include <gtest/gtest.h>

#include <vector>

#include "HostContext.h"
#include "ui/CWnd.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

class TimerWindow : public CWnd {
  public:
    std::vector<std::pair<std::uint64_t, UINT>> fired;  // (virtual time, id)
    HeadlessFrontEnd* clock = nullptr;
    bool singleShot = false;

  protected:
    void OnTimer(UINT id) override {
        fired.emplace_back(clock->Now(), id);
        if (singleShot)
            KillTimer(id);
    }
};

class TimersTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    TimerWindow window;
    void SetUp() override {
        window.clock = &ui.FrontEnd();
        ASSERT_TRUE(window.Create("", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    }
};

TEST_F(TimersTest, PeriodicTimersFireAtEachPeriodInTimeOrder) {
    window.SetTimer(1, 100);
    window.SetTimer(2, 250);
    ui.Advance(500);
    using F = std::vector<std::pair<std::uint64_t, UINT>>;
    EXPECT_EQ(window.fired,
              (F{{100, 1}, {200, 1}, {250, 2}, {300, 1}, {400, 1}, {500, 1}, {500, 2}}));
}

TEST_F(TimersTest, SettingAgainRestartsAndKillStops) {
    window.SetTimer(1, 100);
    ui.Advance(90);
    window.SetTimer(1, 100);  // restart: due at 190 now
    ui.Advance(90);
    EXPECT_TRUE(window.fired.empty());
    ui.Advance(10);
    ASSERT_EQ(window.fired.size(), 1u);
    EXPECT_EQ(window.fired[0].first, 190u);
    EXPECT_TRUE(window.KillTimer(1));
    EXPECT_FALSE(window.KillTimer(1));
    ui.Advance(1000);
    EXPECT_EQ(window.fired.size(), 1u);
}

TEST_F(TimersTest, ABurstOfRestartsFiresOncePerQuietPeriod) {
    window.singleShot = true;
    // A headline every 20 ms for a second, each asking for a refresh 100 ms later.
    for (int i = 0; i < 50; ++i) {
        window.SetTimer(1, 100);
        ui.Advance(20);
    }
    EXPECT_TRUE(window.fired.empty()) << "no quiet period yet";
    ui.Advance(100);
    ASSERT_EQ(window.fired.size(), 1u);
    EXPECT_EQ(window.fired[0].first, 49u * 20 + 100);
    ui.Advance(1000);
    EXPECT_EQ(window.fired.size(), 1u) << "killed in its handler, it does not come back";
}

TEST_F(TimersTest, TimersOfADestroyedWindowNeverFireAndPostedMessagesGoFirst) {
    auto other = std::make_unique<TimerWindow>();
    other->clock = &ui.FrontEnd();
    ASSERT_TRUE(other->Create("", 0, CRect(), nullptr, 0));
    const HWND handle = other->GetSafeHwnd();
    other->SetTimer(7, 50);
    other.reset();
    EXPECT_FALSE(ui.FrontEnd().HasTimer(handle, 7));
    ui.Advance(200);  // would crash or fire into freed memory if the timer survived
    EXPECT_TRUE(window.fired.empty());

    // Posted messages are delivered before timers fire.
    std::vector<std::string> order;
    window.GetMessageMap().On(WM_USER, [&](WPARAM, LPARAM) -> LRESULT {
        order.push_back("posted");
        return 0;
    });
    window.GetMessageMap().On(WM_TIMER, [&](WPARAM, LPARAM) -> LRESULT {
        order.push_back("timer");
        window.KillTimer(1);
        return 0;
    });
    window.SetTimer(1, 10);
    window.PostMessage(WM_USER);
    ui.Advance(10);
    EXPECT_EQ(order, (std::vector<std::string>{"posted", "timer"}));
}

}  // namespace
