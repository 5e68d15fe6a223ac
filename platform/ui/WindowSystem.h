#pragma once
// The window layer's runtime on the user-interface thread: window handles,
// the posted-message queue, timers, registered messages and the focus. One
// front end (headless or Qt) is attached to it.
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "FrontEnd.h"
#include "WinDefs.h"

class CWnd;

class WindowSystem {
  public:
    explicit WindowSystem(FrontEnd& frontEnd);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // The window system of the installed host context. A window layer call
    // made before one exists is a programming error and aborts with a message.
    static WindowSystem& Current();
    static WindowSystem* CurrentOrNull();

    FrontEnd& GetFrontEnd() const { return m_frontEnd; }

    // Handles
    HWND Attach(CWnd& window);
    void Detach(HWND handle);
    CWnd* FromHandle(HWND handle) const;

    // Posted messages are delivered in the order they were posted, each to its
    // window if that window still exists. Safe to call from any thread.
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Delivers every message queued now (and those they post); returns how many.
    int PumpMessages();
    bool HasPendingMessages() const;

    // Timers by (window, id); setting an existing one restarts it.
    void SetTimer(HWND window, UINT id, UINT period);
    bool KillTimer(HWND window, UINT id);
    bool HasTimer(HWND window, UINT id) const;
    // Called by the front end when a timer is due: sends WM_TIMER.
    void FireTimer(HWND window, UINT id);

    CWnd* GetFocus() const { return FromHandle(m_focus); }
    void SetFocus(CWnd* window);

    // Keys held down (Shift, Ctrl ...), as the front end reports them with
    // its keyboard input; what GetKeyState answers.
    void SetKeyState(UINT key, bool down);
    bool IsKeyDown(UINT key) const { return key < 256 && m_keysDown[key]; }

  private:
    struct Posted {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    FrontEnd& m_frontEnd;
    std::unordered_map<HWND, CWnd*> m_windows;
    HWND m_nextHandle = 1;
    mutable std::mutex m_queueMutex;
    std::deque<Posted> m_queue;
    std::map<std::pair<HWND, UINT>, UINT> m_timers;
    HWND m_focus = 0;
    bool m_keysDown[256] = {};
};

// The same number for the same name for the whole process, from 0xC000 up,
// so a module may register its messages when it is loaded.
UINT RegisterWindowMessage(const char* name);

// The state of a key in the window system of the installed host context: the
// high bit is set (a negative result) while the key is down.
short GetKeyState(int key);
