// SKQNewsCtrlView: keyword, advanced, relation and warning searches. The
// search subsystem fills these in.
#include "SKQNewsCtrlView.h"

// The search button (3007) and Enter in the keyword edit; the search subsystem fills it in.
void SKQNewsCtrlView::OnSearch() {}

// Issues the current mode's condition; the search subsystem fills it in.
void SKQNewsCtrlView::OnDealsSearch() {}

// The advanced search dialog (3002); the search subsystem fills it in.
void SKQNewsCtrlView::OnDealsSearchDlg() {}

// The relation search dialog (3001); the search subsystem fills it in.
void SKQNewsCtrlView::OnRelationSearchDlg() {}

// The warning condition list (3006); the search subsystem fills it in.
void SKQNewsCtrlView::OnWarningSearchDlg() {}

// The keyword edit's text changed; the search subsystem fills it in.
void SKQNewsCtrlView::OnUpdateEdit() {}

// A search result arrived; the search subsystem fills it in.
void SKQNewsCtrlView::RespSearchHeadLineTable(const CSearch& /*result*/,
                                              unsigned char /*service*/) {}

// A new headline checked against the warning conditions; the search subsystem fills it in.
void SKQNewsCtrlView::ProcessNewSearchHeadline(CSearch* /*condition*/, CGridoraWnd* /*pSheet*/,
                                               HeadlineList& /*list*/,
                                               const CHeadline* /*headline*/,
                                               const CString& /*kind*/) {}

// Passes a linked symbol change to the search sheets; the search subsystem fills it in.
void SKQNewsCtrlView::vDoSearchChangeSymbol(const CSearch& /*condition*/,
                                            unsigned char /*marketType*/,
                                            const CString& /*symbol*/) {}
