#include "ConnectionLink.h"

#include "NewsBackend.h"

bool ConnectionLink::Toggle() {
    if (IsUp())
        m_backend.LoseConnection();
    else
        m_backend.Reconnect();
    return IsUp();
}

bool ConnectionLink::IsUp() const {
    return !m_backend.IsLinkLost();
}

const char* ConnectionLink::ButtonTextKey() const {
    return IsUp() ? "IDS_NEWSDESK_DISCONNECT" : "IDS_NEWSDESK_RECONNECT";
}
