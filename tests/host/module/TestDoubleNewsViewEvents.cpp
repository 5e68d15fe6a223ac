// TEST DOUBLE: host events, back-end events and input. See the header.
#include <map>

#include "CTime.h"
#include "HostApi.h"
#include "NewsApi.h"
#include "SearchConditions.h"
#include "TestDoubleNewsView.h"
#include "ui/CDC.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace {

// Keeps what was typed when OK is pressed; the controls go with the window.
class TestDoubleDialog : public CDialog {
  public:
    explicit TestDoubleDialog(CWnd* owner) : CDialog(TestDoubleNewsView::kDialogId, owner) {}
    CString typed;

  protected:
    void OnOK() override {
        if (CWnd* edit = GetDlgItem(static_cast<int>(TestDoubleNewsView::kDialogEditId)))
            typed = edit->GetWindowText();
        CDialog::OnOK();
    }
};

CString keyText(const CHeadlineTable& key) {
    const BYTE service = key.byService;
    const std::int32_t time = key.tTime;
    const std::int32_t serial = key.dwSerial;
    CString text;
    text.Format("%d/%s/%d", service, CTime(time).Format("%H:%M:%S").c_str(), serial);
    return text;
}

CString number(long long value) {
    return CString(std::to_string(value));
}

}  // namespace

void TestDoubleNewsView::ChangeSymbol(const CView* pSender, unsigned char byLink,
                                      unsigned char byMarket, const CString& strSymbol,
                                      const CString& extra) {
    const bool accepted = bAcceptLinkedChange(pSender, byLink);
    SKQBaseView::ChangeSymbol(pSender, byLink, byMarket, strSymbol, extra);
    log("ChangeSymbol " + number(byMarket) + ":" + strSymbol + " link " + number(byLink) +
        (accepted ? " taken" : " ignored"));
}

void TestDoubleNewsView::vDoSymbolUpdate(const std::vector<CSymbolUpdateInfo>& updates) {
    log("vDoSymbolUpdate " + number(static_cast<long long>(updates.size())));
}

void TestDoubleNewsView::vRecvNewMarketStatus(const CMarketStatus* status) {
    const CString text =
        "market status " + number(status->byGetService()) + " " + number(status->iGetDate());
    log(text);
    m_popup.vSetInfo(nullptr, text.c_str(), crGetTitleText(), RGB(0, 0x80, 0xFF), 1000);
    m_popup.vShow(m_sheets[m_mode].get(), 0, 0, false);
}

void TestDoubleNewsView::RecvNewHeadLine(const CHeadline* headline, const CString& categoryId,
                                         const CString& symbol) {
    const CHeadlineTable key = headline->Key();
    log("RecvNewHeadLine " + keyText(key) + " cat " + categoryId + " sym " + symbol);
    if (headline->byService != kWarrantService && m_sheets[0]) {
        m_lists[0].insert(m_lists[0].begin(), key);
        m_sheets[0]->bInsertRow(0);
        m_sheets[0]->vSetGridContent(0, 0, CTime(headline->tTime).Format("%H:%M:%S"));
        m_sheets[0]->vSetGridContent(0, 1, categoryId);
        m_sheets[0]->vSetGridContent(0, 2, headline->strTitle);
    }
    scheduleRefill();
}

void TestDoubleNewsView::StoryUpdateNotify(const CHeadlineTable* key) {
    log("StoryUpdateNotify " + keyText(*key));
}

void TestDoubleNewsView::vRecvAllHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    log("vRecvAllHeadlineTableRecovery " + number(batch->byService) + " " + batch->strKey);
}

void TestDoubleNewsView::vRecvCatHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    log("vRecvCatHeadlineTableRecovery " + number(batch->byService) + " " + batch->strKey);
}

void TestDoubleNewsView::vRecvSymHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    log("vRecvSymHeadlineTableRecovery " + number(batch->byService) + " " + batch->strKey);
}

void TestDoubleNewsView::RespSearchHeadLineTable(const CSearch& result, unsigned char service) {
    CString words;
    for (const CString& word : result.vecKeyword)
        words += " " + word;
    log("RespSearchHeadLineTable " + number(service) + words);
}

void TestDoubleNewsView::RespHeadLine(const std::vector<CHeadlineTable>& entries) {
    CString keys;
    for (const CHeadlineTable& key : entries)
        keys += " " + keyText(key);
    log("RespHeadLine" + keys);
}

void TestDoubleNewsView::RespStory(const CHeadlineTable& entry) {
    log("RespStory " + keyText(entry));
}

void TestDoubleNewsView::scheduleRefill() {
    // One refill 100 ms after the last request.
    KillTimer(1);
    SetTimer(1, 100);
}

void TestDoubleNewsView::OnTimer(UINT id) {
    if (id != 1)
        return;
    KillTimer(1);
    refill();
}

void TestDoubleNewsView::refill() {
    CGridoraWnd* sheet = m_sheets[m_mode].get();
    if (!sheet || m_mode == kLogMode)
        return;
    const auto& list = m_lists[m_mode];
    const int first = sheet->iGetBgnRowPos();
    const int last = std::min(static_cast<int>(list.size()), first + sheet->iGetRowsPerPage());
    std::map<BYTE, std::vector<CHeadlineTable>> byService;
    for (int row = first; row < last; ++row) {
        byService[list[static_cast<std::size_t>(row)].byService].push_back(
            list[static_cast<std::size_t>(row)]);
        sheet->vSetGridContent(row, 2, "...");
    }
    for (const auto& [service, keys] : byService) {
        std::vector<CHeadline> records;
        NEWS_iGetHeadline(service, records, keys);
        for (const CHeadline& record : records) {
            for (int row = first; row < last; ++row) {
                if (!IsSameHeadline(list[static_cast<std::size_t>(row)], record.Key()))
                    continue;
                sheet->vSetGridContent(row, 0, CTime(record.tTime).Format("%H:%M:%S"));
                sheet->vSetGridContent(row, 1, number(record.dwCategoryID));
                sheet->vSetGridContent(row, 2, record.strTitle);
            }
        }
    }
}

void TestDoubleNewsView::OnLButtonDblClk(UINT flags, CPoint point) {
    if (flags & MK_GRIDROW) {
        CGridoraWnd* sheet = m_sheets[m_mode].get();
        log("story of row " + number(sheet ? sheet->cptGetFocusNdx().x : -1));
        return;
    }
    if (point.y < 20)
        SKQBaseView::OnLButtonDblClk(flags, point);
}

bool TestDoubleNewsView::OnMouseWheel(UINT flags, short delta, CPoint point) {
    if (CGridoraWnd* sheet = m_sheets[m_mode].get()) {
        sheet->PostMessage(WM_MOUSEWHEEL,
                           MAKEWPARAM(static_cast<WORD>(flags), static_cast<WORD>(delta)),
                           MAKELPARAM(point.x, point.y));
    }
    return true;
}

void TestDoubleNewsView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_RETURN) {
        log("enter");
        return;
    }
    CGridoraWnd* sheet = m_sheets[m_mode].get();
    if (sheet && (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME ||
                  key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN))
        sheet->PostMessage(WM_KEYDOWN, key, MAKELPARAM(repeat, flags));
}

void TestDoubleNewsView::OnVScroll(UINT, UINT, CWnd*) {
    scheduleRefill();
}

void TestDoubleNewsView::OnHScroll(UINT code, UINT, CWnd*) {
    log("hscroll " + number(code));
}

void TestDoubleNewsView::OnContextMenu(CWnd*, CPoint point) {
    CWnd* layout = pGetLayoutWnd();
    CGridoraWnd* sheet = m_sheets[m_mode].get();
    if (!layout || !sheet)
        return;
    CMenu function;
    function.CreatePopupMenu();
    const bool functions = bInsertMainFuctionMenu(function);
    CMenu menu;
    menu.CreatePopupMenu();
    CPoint inSheet = point;
    sheet->ScreenToClient(&inSheet);
    if (sheet->iCalcRowNdx(inSheet) >= 0) {
        if (functions)
            menu.AppendMenu(MF_POPUP, function,
                            s_LangGetLangString("IDS_QUOTEVIEW_STRING_FUNCTION").c_str());
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, 2051,
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER_STORY").c_str());
        menu.AppendMenu(MF_STRING, 2050,
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVERY_NEWS").c_str());
        menu.AppendMenu(MF_STRING, 5406,
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_DETAILED_STORY").c_str());
        menu.AppendMenu(MF_STRING, 5407,
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_PRINT_NEWS").c_str());
        menu.AppendMenu(MF_STRING, 5408,
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SAVE_AS_NEWS").c_str());
    }
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, layout);
}

void TestDoubleNewsView::onCommand(UINT id) {
    if (id >= 5050 && id <= 5060) {
        const std::size_t index = id - 5050;
        if (index < m_checks.size()) {
            m_checks[index] = m_checks[index] ? 0 : 1;
            m_serviceMenu.CheckMenuItem(id, m_checks[index] ? MF_CHECKED : MF_UNCHECKED);
            Invalidate();
        }
        log("service command " + number(id));
        return;
    }
    if (id == 3007) {
        CString keyword = m_keyword.GetWindowText();
        if (keyword.IsEmpty()) {
            const int answer = GetWindowSystem()->GetFrontEnd().Person().MessageBox(
                this, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_SEARCH"),
                "TestDouble", MB_OKCANCEL);
            log("search refused, answer " + number(answer));
            return;
        }
        log("search " + keyword);
        return;
    }
    if (id == 5407) {
        const auto dc = GetWindowSystem()->GetFrontEnd().Person().Print(this);
        log(dc ? "printing" : "printing cancelled");
        return;
    }
    if (id == 2051) {
        FileDialogRequest request;
        request.filter = "Text files (*.txt)|*.txt||";
        request.defaultExtension = "txt";
        const auto path = GetWindowSystem()->GetFrontEnd().Person().SaveFile(this, request);
        log(path ? CString("saving to ") + CString(*path) : CString("saving cancelled"));
        return;
    }
    if (id == 5408) {
        TestDoubleDialog dialog(this);
        const int result = dialog.DoModal();
        log("dialog " + number(result) + " typed " + dialog.typed);
        return;
    }
    log("command " + number(id));
}

bool TestDoubleNewsView::KeywordEdit::PreTranslateKey(UINT message, UINT key) {
    const bool blank = message == WM_CHAR && key == ' ';
    const bool paste = message == WM_KEYDOWN && key == VK_INSERT && GetKeyState(VK_SHIFT) < 0;
    if (message == WM_KEYDOWN && key == VK_RETURN) {
        view->log("keyword enter");
        return true;
    }
    if (!blank && !paste)
        return false;
    CRect r;
    GetWindowRect(&r);
    view->m_tip.SetTipText("",
                           s_LangGetLangString(blank ? "IDS_NEWSCTRLVIEW_STRING_INVALIDATE_VALUE"
                                                     : "IDS_NEWSCTRLVIEW_STRING_INVALIDATE_PASTE")
                               .c_str());
    view->m_tip.ShowTipWindow(r.CenterPoint(), 3, 0, 2000);
    return true;
}
