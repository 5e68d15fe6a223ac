#pragma once
// Language texts for a window's controls: each control named by its id gets
// the text of its "IDS_" key; an id the window lacks is passed over.
#include <initializer_list>
#include <utility>

#include "HostApi.h"
#include "ui/CWnd.h"

inline void SetControlTexts(const CWnd& parent,
                            std::initializer_list<std::pair<UINT, const char*>> texts) {
    for (const auto& [id, key] : texts) {
        if (CWnd* control = parent.GetDlgItem(static_cast<int>(id)))
            control->SetWindowText(s_LangGetLangString(key));
    }
}
