#include "WindowLayer.h"

ScopedWindowSystem::ScopedWindowSystem(HostContext& context, WindowSystem& system, bool install)
    : m_context(context),
      m_install(install),
      m_previousContext(&HostContext::Current()),
      m_previous(context.Part<WindowSystem>()) {
    m_context.SetPart<WindowSystem>(&system);
    if (m_install)
        HostContext::Install(&m_context);
}

ScopedWindowSystem::~ScopedWindowSystem() {
    m_context.SetPart<WindowSystem>(m_previous);
    if (m_install)
        HostContext::Install(m_previousContext == &m_context ? nullptr : m_previousContext);
}
