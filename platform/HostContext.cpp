#include "HostContext.h"

#include <atomic>

namespace {
std::atomic<HostContext*> g_installed{nullptr};
}

HostContext::HostContext()
    : m_ownClock(std::make_unique<SystemClock>()),
      m_ownLanguage(std::make_unique<LanguageService>()),
      m_ownServices(std::make_unique<StandardHostServices>()),
      m_clock(m_ownClock.get()),
      m_language(m_ownLanguage.get()),
      m_services(m_ownServices.get()) {}

HostContext::~HostContext() {
    HostContext* self = this;
    g_installed.compare_exchange_strong(self, nullptr);
}

HostContext& HostContext::Current() {
    if (HostContext* installed = g_installed.load())
        return *installed;
    static HostContext builtIn;
    return builtIn;
}

void HostContext::Install(HostContext* context) {
    g_installed.store(context);
}

ScopedHostContext::ScopedHostContext(HostContext& context) : m_previous(g_installed.load()) {
    HostContext::Install(&context);
}

ScopedHostContext::~ScopedHostContext() {
    HostContext::Install(m_previous);
}
