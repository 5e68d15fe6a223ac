#include "WindowSystem.h"

#include <cstdio>
#include <cstdlib>

#include "CWnd.h"
#include "HostContext.h"

WindowSystem::WindowSystem(FrontEnd& frontEnd) : m_frontEnd(frontEnd) {}

WindowSystem::~WindowSystem() {
    if (HostContext::Current().Part<WindowSystem>() == this)
        HostContext::Current().SetPart<WindowSystem>(nullptr);
}

WindowSystem* WindowSystem::CurrentOrNull() {
    return HostContext::Current().Part<WindowSystem>();
}

WindowSystem& WindowSystem::Current() {
    WindowSystem* system = CurrentOrNull();
    if (!system) {
        std::fputs("window layer used before a front end was set up\n", stderr);
        std::abort();
    }
    return *system;
}

HWND WindowSystem::Attach(CWnd& window) {
    const HWND handle = m_nextHandle++;
    m_windows[handle] = &window;
    return handle;
}

void WindowSystem::Detach(HWND handle) {
    m_windows.erase(handle);
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->first.first == handle) {
            m_frontEnd.StopTimer(handle, it->first.second);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
    if (m_focus == handle)
        m_focus = 0;
}

CWnd* WindowSystem::FromHandle(HWND handle) const {
    const auto it = m_windows.find(handle);
    return it == m_windows.end() ? nullptr : it->second;
}

bool WindowSystem::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool wasEmpty = false;
    {
        std::lock_guard lock(m_queueMutex);
        wasEmpty = m_queue.empty();
        m_queue.push_back({window, message, wParam, lParam});
    }
    if (wasEmpty)
        m_frontEnd.Wake();
    return true;
}

bool WindowSystem::HasPendingMessages() const {
    std::lock_guard lock(m_queueMutex);
    return !m_queue.empty();
}

int WindowSystem::PumpMessages() {
    int delivered = 0;
    // A handler may post again; those are delivered in this pass too, but a
    // window that posts to itself forever would never let the pass end, so
    // the pass is bounded.
    for (int guard = 0; guard < 1000000; ++guard) {
        Posted next{};
        {
            std::lock_guard lock(m_queueMutex);
            if (m_queue.empty())
                break;
            next = m_queue.front();
            m_queue.pop_front();
        }
        if (CWnd* target = FromHandle(next.window)) {
            target->SendMessage(next.message, next.wParam, next.lParam);
            ++delivered;
        }
    }
    return delivered;
}

void WindowSystem::SetTimer(HWND window, UINT id, UINT period) {
    m_timers[{window, id}] = period;
    m_frontEnd.StartTimer(window, id, period);
}

bool WindowSystem::KillTimer(HWND window, UINT id) {
    if (m_timers.erase({window, id}) == 0)
        return false;
    m_frontEnd.StopTimer(window, id);
    return true;
}

bool WindowSystem::HasTimer(HWND window, UINT id) const {
    return m_timers.count({window, id}) != 0;
}

void WindowSystem::FireTimer(HWND window, UINT id) {
    if (!HasTimer(window, id))
        return;
    if (CWnd* target = FromHandle(window))
        target->SendMessage(WM_TIMER, id, 0);
}

void WindowSystem::SetFocus(CWnd* window) {
    const HWND next = window ? window->GetSafeHwnd() : 0;
    if (next == m_focus)
        return;
    CWnd* previous = FromHandle(m_focus);
    m_focus = next;
    if (previous) {
        previous->SendMessage(WM_KILLFOCUS, next, 0);
        m_frontEnd.WindowChanged(*previous, WindowChange::Focus);
    }
    if (window) {
        window->SendMessage(WM_SETFOCUS, previous ? previous->GetSafeHwnd() : 0, 0);
        m_frontEnd.WindowChanged(*window, WindowChange::Focus);
    }
}

void WindowSystem::SetKeyState(UINT key, bool down) {
    if (key < 256)
        m_keysDown[key] = down;
}

short GetKeyState(int key) {
    const WindowSystem* system = WindowSystem::CurrentOrNull();
    const bool down = system && key >= 0 && system->IsKeyDown(static_cast<UINT>(key));
    return down ? static_cast<short>(0x8000) : static_cast<short>(0);
}

UINT RegisterWindowMessage(const char* name) {
    static std::mutex mutex;
    static std::map<std::string, UINT> registered;
    std::lock_guard lock(mutex);
    const std::string key = name ? name : "";
    const auto it = registered.find(key);
    if (it != registered.end())
        return it->second;
    const UINT id = kFirstRegisteredMessage + static_cast<UINT>(registered.size());
    registered.emplace(key, id);
    return id;
}
