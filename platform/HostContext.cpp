#include "HostContext.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

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

void* HostContext::FindPart(const std::type_info& type) const {
    for (const PartSlot& slot : m_parts) {
        if (slot.type && *slot.type == type)
            return slot.part;
    }
    return nullptr;
}

void HostContext::SetPartOf(const std::type_info& type, void* part) {
    PartSlot* free = nullptr;
    for (PartSlot& slot : m_parts) {
        if (slot.type && *slot.type == type) {
            slot.part = part;
            if (!part)
                slot.type = nullptr;
            return;
        }
        if (!slot.type && !free)
            free = &slot;
    }
    if (!part)
        return;
    if (!free) {
        // A programming error of the host: more kinds of parts than slots.
        std::fprintf(stderr, "HostContext: no room for a part of type %s\n", type.name());
        std::abort();
    }
    *free = PartSlot{&type, part};
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
