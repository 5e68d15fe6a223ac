#pragma once
// What the control tests share: a headless window layer with a parent window
// that records every notification its controls send, in order.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "HostContext.h"
#include "ui/CWnd.h"
#include "ui/controls/Controls.h"
#include "ui/headless/HeadlessFrontEnd.h"

struct Notice {
    UINT id = 0;
    UINT code = 0;
    bool notify = false;  // WM_NOTIFY rather than WM_COMMAND
    friend bool operator==(const Notice&, const Notice&) = default;
};

inline Notice Command(UINT id, WORD code) {
    return {id, code, false};
}
inline Notice Notify(UINT id, UINT code) {
    return {id, code, true};
}

inline void PrintTo(const Notice& notice, std::ostream* out) {
    *out << (notice.notify ? "notify " : "command ") << notice.id << ":"
         << static_cast<int>(notice.code);
}

class ControlTest : public ::testing::Test {
  protected:
    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd parent;
    std::vector<Notice> notices;
    std::vector<NMLISTVIEW> itemChanges;
    std::vector<NMITEMACTIVATE> activations;
    std::vector<SYSTEMTIME> dateChanges;
    // Called after each notice is recorded: what the parent does on it.
    std::function<void(const Notice&)> onNotice;

    void SetUp() override {
        ASSERT_TRUE(parent.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        parent.GetMessageMap().On(WM_COMMAND, [this](WPARAM w, LPARAM) -> LRESULT {
            notices.push_back(Command(LOWORD(w), HIWORD(w)));
            if (onNotice)
                onNotice(notices.back());
            return 0;
        });
        parent.GetMessageMap().On(WM_NOTIFY, [this](WPARAM, LPARAM l) -> LRESULT {
            const auto* header = reinterpret_cast<const NMHDR*>(l);
            notices.push_back(Notify(header->idFrom, header->code));
            if (header->code == LVN_ITEMCHANGED)
                itemChanges.push_back(*reinterpret_cast<const NMLISTVIEW*>(l));
            if (header->code == NM_CLICK || header->code == NM_DBLCLK) {
                activations.push_back(*reinterpret_cast<const NMITEMACTIVATE*>(l));
            }
            if (header->code == DTN_DATETIMECHANGE) {
                dateChanges.push_back(reinterpret_cast<const NMDATETIMECHANGE*>(l)->st);
            }
            if (onNotice)
                onNotice(Notify(header->idFrom, header->code));
            return 0;
        });
    }

    static CRect At(int top, int height = 24) { return CRect(10, top, 210, top + height); }

    // How often the front end was told of `change` to `window`.
    int ChangesOf(const CWnd& window, WindowChange change) {
        int count = 0;
        for (const auto& record : ui.FrontEnd().Changes()) {
            if (record.window == window.GetSafeHwnd() && record.change == change)
                ++count;
        }
        return count;
    }
};
