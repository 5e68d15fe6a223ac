// SKQNewsCtrlView: recovery batches from the back-end and the user's requests
// to fetch headlines or a story again. The recovery subsystem fills these in.
#include "SKQNewsCtrlView.h"

// A service's table of a day was reloaded; the recovery subsystem fills it in.
void SKQNewsCtrlView::vRecvAllHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}

// A service's table of a category was reloaded; the recovery subsystem fills it in.
void SKQNewsCtrlView::vRecvCatHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}

// A service's table of a symbol was reloaded; the recovery subsystem fills it in.
void SKQNewsCtrlView::vRecvSymHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}

// Context-menu command 2050; the recovery subsystem fills it in.
void SKQNewsCtrlView::OnReCoverHeadline() {}

// Context-menu command 2051; the recovery subsystem fills it in.
void SKQNewsCtrlView::OnReCoverStory() {}
