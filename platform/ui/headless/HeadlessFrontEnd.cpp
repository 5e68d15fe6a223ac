#include "HeadlessFrontEnd.h"

#include "HostContext.h"
#include "ui/CWnd.h"

void HeadlessFrontEnd::WindowChanged(CWnd& window, WindowChange change) {
    m_changes.push_back({window.GetSafeHwnd(), change});
    if (change == WindowChange::Destroyed) {
        const HWND handle = window.GetSafeHwnd();
        m_invalid.erase(handle);
        m_updates.erase(handle);
    }
}

void HeadlessFrontEnd::Invalidate(CWnd& window, const CRect&, bool erase) {
    const HWND handle = window.GetSafeHwnd();
    m_invalid[handle] = m_invalid[handle] || erase;
    ++m_invalidations[handle];
}

void HeadlessFrontEnd::Update(CWnd& window) {
    const auto it = m_invalid.find(window.GetSafeHwnd());
    if (it == m_invalid.end())
        return;
    const bool erase = it->second;
    m_invalid.erase(it);
    auto dc = std::make_unique<RecordingDC>();
    window.PaintInto(*dc, erase);
    m_updates[window.GetSafeHwnd()] = std::move(dc);
}

std::unique_ptr<RecordingDC> HeadlessFrontEnd::Paint(CWnd& window) {
    auto dc = std::make_unique<RecordingDC>();
    m_invalid.erase(window.GetSafeHwnd());
    window.PaintInto(*dc, true);
    return dc;
}

bool HeadlessFrontEnd::IsInvalid(const CWnd& window) const {
    return m_invalid.count(window.GetSafeHwnd()) != 0;
}

int HeadlessFrontEnd::InvalidationCount(const CWnd& window) const {
    const auto it = m_invalidations.find(window.GetSafeHwnd());
    return it == m_invalidations.end() ? 0 : it->second;
}

const RecordingDC* HeadlessFrontEnd::LastUpdate(const CWnd& window) const {
    const auto it = m_updates.find(window.GetSafeHwnd());
    return it == m_updates.end() ? nullptr : it->second.get();
}

void HeadlessFrontEnd::StartTimer(HWND window, UINT id, UINT period) {
    m_timers[{window, id}] =
        Timer{period == 0 ? 1 : period, m_now + (period == 0 ? 1 : period), m_timerOrder++};
}

void HeadlessFrontEnd::StopTimer(HWND window, UINT id) {
    m_timers.erase({window, id});
}

long long HeadlessFrontEnd::TimeUntil(HWND window, UINT id) const {
    const auto it = m_timers.find({window, id});
    return it == m_timers.end() ? -1 : static_cast<long long>(it->second.due - m_now);
}

CPoint HeadlessFrontEnd::ScreenOrigin(const CWnd& topLevel) const {
    return topLevel.GetRect().TopLeft();
}

void HeadlessFrontEnd::Advance(std::uint64_t milliseconds) {
    const std::uint64_t target = m_now + milliseconds;
    if (m_system)
        m_system->PumpMessages();
    for (;;) {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->second.due > target)
                continue;
            if (next == m_timers.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.order < next->second.order)) {
                next = it;
            }
        }
        if (next == m_timers.end())
            break;
        const auto key = next->first;
        m_now = next->second.due;
        next->second.due += next->second.period;
        if (m_system) {
            m_system->FireTimer(key.first, key.second);
            m_system->PumpMessages();
        }
    }
    m_now = target;
}
