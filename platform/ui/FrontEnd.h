#pragma once
// What a front end (headless or Qt) does for the window layer: it learns of
// every change to a window so its peer can follow at once, runs timers, wakes
// the message pump, and answers whatever waits for a person.
#include <cstdint>

#include "Geometry.h"
#include "WinDefs.h"

class Clipboard;
class CWnd;
class UserServices;

enum class WindowChange {
    Created,
    Destroyed,
    Moved,    // rectangle changed
    Shown,    // visibility changed
    Enabled,  // enabled state changed
    Text,     // window text changed
    Font,
    Style,
    Content,  // control-specific state (items, selection, value, rows ...)
    Focus,
    DialogEnded,  // a dialog called EndDialog: a modal run ends
    Raised,       // a top-level window asked to come in front of the others
};

class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    virtual void WindowChanged(CWnd& window, WindowChange change) = 0;
    // A part of the window (client coordinates) needs painting.
    virtual void Invalidate(CWnd& window, const CRect& rect, bool erase) = 0;
    // Paint now whatever of the window is invalid.
    virtual void Update(CWnd& window) = 0;

    // Timers: (re)start a timer of `period` milliseconds, or stop it. The
    // front end calls WindowSystem::FireTimer when one is due.
    virtual void StartTimer(HWND window, UINT id, UINT period) = 0;
    virtual void StopTimer(HWND window, UINT id) = 0;

    // A message was posted; the front end calls WindowSystem::PumpMessages
    // soon (may be called from another thread).
    virtual void Wake() = 0;

    // Top-left of a top-level window on the screen.
    virtual CPoint ScreenOrigin(const CWnd& topLevel) const = 0;

    virtual UserServices& Person() = 0;

    // The clipboard the person copies to and pastes from.
    virtual Clipboard& GetClipboard() = 0;
    // The part of the screen around `screenPoint` that windows may cover
    // (without the desktop's panels), in screen coordinates; popups keep
    // inside it.
    virtual CRect ScreenWorkArea(CPoint screenPoint) const = 0;
};
