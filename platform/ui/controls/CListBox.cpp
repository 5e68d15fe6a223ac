#include "CListBox.h"

#include <algorithm>

#include "ControlSupport.h"

bool CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

void CListBox::shiftAfterInsert(int index) {
    if (m_caret >= index)
        ++m_caret;
    if (m_anchor >= index)
        ++m_anchor;
}

int CListBox::AddString(const char* text) {
    if (!IsWindow())
        return LB_ERR;
    const int index = m_items.Add(CString(text ? text : ""), IsSorted());
    shiftAfterInsert(index);
    Changed(WindowChange::Content);
    return index;
}

int CListBox::InsertString(int index, const char* text) {
    if (!IsWindow())
        return LB_ERR;
    const int at = m_items.Insert(index, CString(text ? text : ""));
    if (at < 0)
        return LB_ERR;
    shiftAfterInsert(at);
    Changed(WindowChange::Content);
    return at;
}

int CListBox::DeleteString(UINT index) {
    const int at = static_cast<int>(index);
    if (!IsWindow() || !m_items.Remove(at))
        return LB_ERR;
    auto follow = [at](int& position) {
        if (position == at) {
            position = -1;
        } else if (position > at) {
            --position;
        }
    };
    follow(m_caret);
    follow(m_anchor);
    Changed(WindowChange::Content);
    return m_items.Count();
}

void CListBox::ResetContent() {
    if (!IsWindow())
        return;
    reset();
    Changed(WindowChange::Content);
}

int CListBox::GetText(int index, CString& text) const {
    if (!m_items.IsValid(index))
        return LB_ERR;
    text = m_items.At(index).text;
    return text.GetLength();
}

CString CListBox::GetText(int index) const {
    CString text;
    GetText(index, text);
    return text;
}

int CListBox::GetTextLen(int index) const {
    return m_items.IsValid(index) ? m_items.At(index).text.GetLength() : LB_ERR;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    if (!m_items.IsValid(index))
        return LB_ERR;
    m_items.At(index).data = data;
    return 0;
}

DWORD_PTR CListBox::GetItemData(int index) const {
    return m_items.IsValid(index) ? m_items.At(index).data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::GetCurSel() const {
    if (IsMultipleSelection())
        return m_caret;
    for (int i = 0; i < m_items.Count(); ++i) {
        if (m_items.At(i).selected)
            return i;
    }
    return LB_ERR;
}

std::vector<bool> CListBox::selection() const {
    std::vector<bool> selected;
    for (const auto& item : m_items.Items())
        selected.push_back(item.selected);
    return selected;
}

void CListBox::selectOnly(int index) {
    for (int i = 0; i < m_items.Count(); ++i)
        m_items.At(i).selected = (i == index);
    m_caret = index;
    m_anchor = index;
}

int CListBox::SetCurSel(int index) {
    if (!IsWindow() || IsMultipleSelection())
        return LB_ERR;
    const int next = m_items.IsValid(index) ? index : -1;
    const auto before = selection();
    selectOnly(next);
    if (before != selection())
        Changed(WindowChange::Content);
    return next < 0 ? LB_ERR : next;
}

int CListBox::GetSel(int index) const {
    if (!m_items.IsValid(index))
        return LB_ERR;
    return m_items.At(index).selected ? 1 : 0;
}

int CListBox::SetSel(int index, bool select) {
    if (!IsWindow() || !IsMultipleSelection())
        return LB_ERR;
    if (index != -1 && !m_items.IsValid(index))
        return LB_ERR;
    const auto before = selection();
    for (int i = 0; i < m_items.Count(); ++i) {
        if (index == -1 || i == index)
            m_items.At(i).selected = select;
    }
    if (index != -1)
        m_caret = index;
    if (before != selection())
        Changed(WindowChange::Content);
    return 0;
}

int CListBox::GetSelCount() const {
    if (!IsMultipleSelection())
        return LB_ERR;
    const auto& items = m_items.Items();
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [](const auto& item) { return item.selected; }));
}

std::vector<int> CListBox::GetSelItems() const {
    std::vector<int> out;
    for (int i = 0; i < m_items.Count(); ++i) {
        if (m_items.At(i).selected)
            out.push_back(i);
    }
    return out;
}

int CListBox::GetSelItems(int maxItems, int* out) const {
    if (!IsMultipleSelection())
        return LB_ERR;
    int written = 0;
    for (const int index : GetSelItems()) {
        if (written >= maxItems || !out)
            break;
        out[written++] = index;
    }
    return written;
}

int CListBox::FindString(int start, const char* prefix) const {
    const int found = m_items.FindPrefix(start, prefix ? prefix : "");
    return found < 0 ? LB_ERR : found;
}

int CListBox::FindStringExact(int start, const char* text) const {
    const int found = m_items.FindExact(start, text ? text : "");
    return found < 0 ? LB_ERR : found;
}

bool CListBox::Click(int index, UINT modifiers) {
    if (!IsWindow() || !m_items.IsValid(index) || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    const auto before = selection();
    if (!IsMultipleSelection()) {
        selectOnly(index);
    } else if ((modifiers & MK_SHIFT) && m_anchor >= 0) {
        const int low = std::min(m_anchor, index);
        const int high = std::max(m_anchor, index);
        for (int i = 0; i < m_items.Count(); ++i) {
            const bool inRange = i >= low && i <= high;
            m_items.At(i).selected =
                inRange || ((modifiers & MK_CONTROL) && m_items.At(i).selected);
        }
        m_caret = index;
    } else if ((modifiers & MK_CONTROL) || (GetStyle() & LBS_MULTIPLESEL)) {
        m_items.At(index).selected = !m_items.At(index).selected;
        m_caret = index;
        m_anchor = index;
    } else {
        selectOnly(index);
    }
    Changed(WindowChange::Content);
    if (before != selection())
        NotifyParent(LBN_SELCHANGE);
    return true;
}

bool CListBox::DoubleClick(int index) {
    if (!Click(index))
        return false;
    if (IsWindow())
        NotifyParent(LBN_DBLCLK);
    return true;
}

void CListBox::reset() {
    m_items.Clear();
    m_caret = -1;
    m_anchor = -1;
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    const int index = static_cast<int>(wParam);
    const auto* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
        case LB_ADDSTRING:
            return AddString(text);
        case LB_INSERTSTRING:
            return InsertString(index, text);
        case LB_DELETESTRING:
            return DeleteString(static_cast<UINT>(wParam));
        case LB_RESETCONTENT:
            ResetContent();
            return 0;
        case LB_GETCOUNT:
            return GetCount();
        case LB_GETCURSEL:
            return GetCurSel();
        case LB_SETCURSEL:
            return SetCurSel(index);
        case LB_GETSEL:
            return GetSel(index);
        case LB_SETSEL:
            return SetSel(static_cast<int>(lParam), wParam != 0);
        case LB_GETSELCOUNT:
            return GetSelCount();
        case LB_GETTEXT: {
            CString item;
            const int length = GetText(index, item);
            if (auto* out = reinterpret_cast<CString*>(lParam); out && length != LB_ERR)
                *out = item;
            return length;
        }
        case LB_GETTEXTLEN:
            return GetTextLen(index);
        case LB_FINDSTRING:
            return FindString(index, text);
        case LB_FINDSTRINGEXACT:
            return FindStringExact(index, text);
        case WM_DESTROY:
            reset();
            break;
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
