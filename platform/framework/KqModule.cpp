#include "KqModule.h"

const KqModuleInfo* KqExtensionModule::Attach() {
    std::lock_guard lock(m_mutex);
    if (!m_attached) {
        if (m_initialise)
            m_initialise();
        m_attached = true;
        ++m_attachCount;
    }
    return &m_info;
}

void KqExtensionModule::Detach() {
    std::lock_guard lock(m_mutex);
    m_attached = false;
}

bool KqExtensionModule::IsAttached() const {
    std::lock_guard lock(m_mutex);
    return m_attached;
}

int KqExtensionModule::AttachCount() const {
    std::lock_guard lock(m_mutex);
    return m_attachCount;
}
