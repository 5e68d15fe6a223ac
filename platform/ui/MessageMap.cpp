#include "MessageMap.h"

#include "WindowSystem.h"

void MessageMap::On(UINT message, Handler handler) {
    m_messages[message] = std::move(handler);
}

void MessageMap::OnControl(UINT id, WORD code, CommandHandler handler) {
    m_controls[{id, code}] = std::move(handler);
}

void MessageMap::OnCommandRange(UINT first, UINT last, RangeHandler handler) {
    for (auto& range : m_ranges) {
        if (std::get<0>(range) == first && std::get<1>(range) == last) {
            std::get<2>(range) = std::move(handler);
            return;
        }
    }
    m_ranges.emplace_back(first, last, std::move(handler));
}

void MessageMap::OnNotify(UINT id, UINT code, NotifyHandler handler) {
    m_notifies[{id, code}] = std::move(handler);
}

void MessageMap::OnRegistered(const char* name, Handler handler) {
    On(RegisterWindowMessage(name), std::move(handler));
}

bool MessageMap::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
    if (const auto it = m_messages.find(message); it != m_messages.end()) {
        result = it->second(wParam, lParam);
        return true;
    }
    if (message == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        if (const auto it = m_controls.find({id, code}); it != m_controls.end()) {
            it->second();
            result = 0;
            return true;
        }
        if (code == 0) {
            for (const auto& [first, last, handler] : m_ranges) {
                if (id >= first && id <= last) {
                    handler(id);
                    result = 0;
                    return true;
                }
            }
        }
        return false;
    }
    if (message == WM_NOTIFY && lParam != 0) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (const auto it = m_notifies.find({header->idFrom, header->code});
            it != m_notifies.end()) {
            result = 0;
            it->second(header, &result);
            return true;
        }
    }
    return false;
}

bool MessageMap::Empty() const {
    return m_messages.empty() && m_controls.empty() && m_ranges.empty() && m_notifies.empty();
}
