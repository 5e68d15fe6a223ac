#pragma once
// The headless front end: nothing is shown and nothing waits. Timers run on
// a clock the caller advances, posted messages are delivered when the caller
// pumps, requests for a person are answered from a script, and a window's
// drawing can be recorded on demand.
#include <map>
#include <memory>
#include <vector>

#include "ScriptedUserServices.h"
#include "ui/CDC.h"
#include "ui/Clipboard.h"
#include "ui/FrontEnd.h"
#include "ui/WindowLayer.h"
#include "ui/WindowSystem.h"

class HeadlessFrontEnd : public FrontEnd {
  public:
    HeadlessFrontEnd() = default;

    void WindowChanged(CWnd& window, WindowChange change) override;
    void Invalidate(CWnd& window, const CRect& rect, bool erase) override;
    void Update(CWnd& window) override;
    void StartTimer(HWND window, UINT id, UINT period) override;
    void StopTimer(HWND window, UINT id) override;
    void Wake() override {}
    CPoint ScreenOrigin(const CWnd& topLevel) const override;
    UserServices& Person() override { return m_person; }
    Clipboard& GetClipboard() override { return m_clipboard; }
    // One screen, kScreenWidth x kScreenHeight at 0,0 unless set.
    CRect ScreenWorkArea(CPoint /*screenPoint*/) const override { return m_workArea; }
    void SetScreenWorkArea(const CRect& area) { m_workArea = area; }
    static constexpr int kScreenWidth = 1920;
    static constexpr int kScreenHeight = 1080;

    ScriptedUserServices& Script() { return m_person; }

    void Attach(WindowSystem& system) { m_system = &system; }

    // Virtual milliseconds since start.
    std::uint64_t Now() const { return m_now; }
    // Moves the clock on, delivering posted messages and firing every timer
    // that falls due, each at its own time and in time order.
    void Advance(std::uint64_t milliseconds);
    bool HasTimer(HWND window, UINT id) const { return m_timers.count({window, id}) != 0; }
    // Milliseconds until a timer fires, or -1.
    long long TimeUntil(HWND window, UINT id) const;

    // Painting: a window's drawing recorded now (erasing first).
    std::unique_ptr<RecordingDC> Paint(CWnd& window);
    // Whether a window was invalidated since its last paint, and how often
    // in all.
    bool IsInvalid(const CWnd& window) const;
    int InvalidationCount(const CWnd& window) const;
    // The recording of the last paint that Update made.
    const RecordingDC* LastUpdate(const CWnd& window) const;

    struct ChangeRecord {
        HWND window;
        WindowChange change;
    };
    const std::vector<ChangeRecord>& Changes() const { return m_changes; }
    void ClearChanges() { m_changes.clear(); }

  private:
    struct Timer {
        UINT period;
        std::uint64_t due;
        std::uint64_t order;  // ties fire in the order the timers were set
    };
    WindowSystem* m_system = nullptr;
    ScriptedUserServices m_person;
    MemoryClipboard m_clipboard;
    CRect m_workArea{0, 0, kScreenWidth, kScreenHeight};
    std::uint64_t m_now = 0;
    std::uint64_t m_timerOrder = 0;
    std::map<std::pair<HWND, UINT>, Timer> m_timers;
    std::map<HWND, bool> m_invalid;  // window -> erase requested
    std::map<HWND, int> m_invalidations;
    std::map<HWND, std::unique_ptr<RecordingDC>> m_updates;
    std::vector<ChangeRecord> m_changes;
};

// A headless window layer ready to use: front end and window system, set in
// the given host context, and that context installed as the current one, for
// this object's lifetime.
class HeadlessUi : public WindowLayer<HeadlessFrontEnd> {
  public:
    explicit HeadlessUi(HostContext& context) : WindowLayer(context, true) {}
    HeadlessUi() : HeadlessUi(HostContext::Current()) {}  // the current host context

    ScriptedUserServices& Script() { return FrontEnd().Script(); }
    void Advance(std::uint64_t milliseconds) { FrontEnd().Advance(milliseconds); }
};
