#pragma once
// Setting up the window layer for a front end: the front end and its window
// system made together, the window system set in a host context for the
// lifetime of the set-up (and that context installed as the current one when
// asked), and whatever was there before put back afterwards. The headless,
// automation and Qt set-ups are each one of these.
#include "HostContext.h"
#include "WindowSystem.h"

// Sets a window system in a host context, and installs the context when
// asked, for this object's lifetime; puts back what was there before.
class ScopedWindowSystem {
  public:
    ScopedWindowSystem(HostContext& context, WindowSystem& system, bool install);
    ~ScopedWindowSystem();
    ScopedWindowSystem(const ScopedWindowSystem&) = delete;
    ScopedWindowSystem& operator=(const ScopedWindowSystem&) = delete;

  private:
    HostContext& m_context;
    bool m_install;
    HostContext* m_previousContext;
    WindowSystem* m_previous;
};

// A front end of type F (it has Attach(WindowSystem&)) and the window system
// it shows, ready to use.
template <typename F>
class WindowLayer {
  public:
    WindowLayer(HostContext& context, bool install)
        : m_system(m_frontEnd), m_scope(context, Attached(m_frontEnd, m_system), install) {}
    WindowLayer(const WindowLayer&) = delete;
    WindowLayer& operator=(const WindowLayer&) = delete;

    WindowSystem& System() { return m_system; }
    F& FrontEnd() { return m_frontEnd; }
    int Pump() { return m_system.PumpMessages(); }

  private:
    // The front end learns its window system before anything can use it.
    static WindowSystem& Attached(F& frontEnd, WindowSystem& system) {
        frontEnd.Attach(system);
        return system;
    }

    F m_frontEnd;
    WindowSystem m_system;
    ScopedWindowSystem m_scope;
};
