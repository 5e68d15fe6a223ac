#pragma once
// The one object through which the module's free functions (s_Lang..., SYS_...,
// NEWS_... and BK_...) reach the outside world. The host installs its context
// at start-up; tests install their own for the length of a test. When nothing
// is installed a built-in context answers: system clock, no language texts
// (keys come back as themselves), standard host services.
#include <array>
#include <memory>
#include <typeinfo>

#include "Clock.h"
#include "HostServices.h"
#include "LanguageService.h"

class HostContext {
  public:
    // A context with its own system clock, empty language service and
    // standard host services; any of them can be replaced by one the caller owns.
    HostContext();
    ~HostContext();
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    Clock& GetClock() const { return *m_clock; }
    LanguageService& GetLanguage() const { return *m_language; }
    HostServices& GetServices() const { return *m_services; }

    // Not owned; nullptr goes back to the context's own.
    void SetClock(Clock* clock) { m_clock = clock ? clock : m_ownClock.get(); }
    void SetLanguage(LanguageService* language) {
        m_language = language ? language : m_ownLanguage.get();
    }
    void SetServices(HostServices* services) {
        m_services = services ? services : m_ownServices.get();
    }

    // Parts of the layers above this one that the context carries for them,
    // by type, so that this layer needs none of their headers: the window
    // system of the user-interface thread (`Part<WindowSystem>()`, null until
    // a front end is set up) and the news back-end the NEWS_ and BK_
    // functions answer from (`Part<NewsBackend>()`, null until the host or a
    // test sets one; every such function then answers false, 0 or nothing).
    // Not owned; setting null removes the part.
    template <typename T>
    T* Part() const {
        return static_cast<T*>(FindPart(typeid(T)));
    }
    template <typename T>
    void SetPart(T* part) {
        SetPartOf(typeid(T), part);
    }

    // The context's own parts, for configuring them in place.
    LanguageService& OwnLanguage() { return *m_ownLanguage; }
    StandardHostServices& OwnServices() { return *m_ownServices; }

    static HostContext& Current();
    // Not owned; nullptr goes back to the built-in context.
    static void Install(HostContext* context);

  private:
    struct PartSlot {
        const std::type_info* type = nullptr;
        void* part = nullptr;
    };
    void* FindPart(const std::type_info& type) const;
    void SetPartOf(const std::type_info& type, void* part);

    std::unique_ptr<SystemClock> m_ownClock;
    std::unique_ptr<LanguageService> m_ownLanguage;
    std::unique_ptr<StandardHostServices> m_ownServices;
    Clock* m_clock;
    LanguageService* m_language;
    HostServices* m_services;
    // A handful of parts at most: a linear look-up is the fastest.
    std::array<PartSlot, 4> m_parts{};
};

// Installs a context for the lifetime of this object and puts the previous
// one back afterwards.
class ScopedHostContext {
  public:
    explicit ScopedHostContext(HostContext& context);
    ~ScopedHostContext();
    ScopedHostContext(const ScopedHostContext&) = delete;
    ScopedHostContext& operator=(const ScopedHostContext&) = delete;

  private:
    HostContext* m_previous;
};
