#pragma once
// A window's message map: handlers bound by message, by command or control
// notification and control id, by a range of command ids, by notify code and
// control id, and by registered message name. A handler bound later for the
// same key replaces the earlier one, so a derived class overrides its base by
// binding in its constructor.
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "WinDefs.h"

class MessageMap {
  public:
    using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
    using CommandHandler = std::function<void()>;
    using RangeHandler = std::function<void(UINT id)>;
    using NotifyHandler = std::function<void(NMHDR* header, LRESULT* result)>;

    // Any message, with its raw parameters.
    void On(UINT message, Handler handler);
    // WM_COMMAND from a menu or a button click (code 0) of control `id`.
    void OnCommand(UINT id, CommandHandler handler) { OnControl(id, 0, std::move(handler)); }
    // WM_COMMAND carrying notification `code` from control `id`.
    void OnControl(UINT id, WORD code, CommandHandler handler);
    // WM_COMMAND (code 0) from any id in [first, last].
    void OnCommandRange(UINT first, UINT last, RangeHandler handler);
    // WM_NOTIFY with `code` from control `id`.
    void OnNotify(UINT id, UINT code, NotifyHandler handler);
    // A registered message, by its name.
    void OnRegistered(const char* name, Handler handler);

    // True (and the handler's result) when a handler took the message.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;
    bool Empty() const;

  private:
    std::map<UINT, Handler> m_messages;
    std::map<std::pair<UINT, WORD>, CommandHandler> m_controls;
    std::vector<std::tuple<UINT, UINT, RangeHandler>> m_ranges;
    std::map<std::pair<UINT, UINT>, NotifyHandler> m_notifies;
};
