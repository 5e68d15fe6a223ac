// SKQNewsCtrlView: the news date the all-news sheet shows. The date
// subsystem fills these in.
#include "SKQNewsCtrlView.h"

// The picker opened its calendar; the date subsystem fills it in.
void SKQNewsCtrlView::OnDateTimeDropDown(NMHDR* /*header*/, LRESULT* /*result*/) {}

// The picker closed its calendar; the date subsystem fills it in.
void SKQNewsCtrlView::OnDateTimeCloseUp(NMHDR* /*header*/, LRESULT* /*result*/) {}

// The picker's date changed; the date subsystem fills it in.
void SKQNewsCtrlView::OnDateTimeChange(NMHDR* /*header*/, LRESULT* /*result*/) {}

// Shows another day in the all-news sheet; the date subsystem fills it in.
bool SKQNewsCtrlView::bChangeDate(COleDateTime& /*date*/) {
    return false;
}

// Reloads the all-news sheet for the services' new day; the date subsystem fills it in.
bool SKQNewsCtrlView::bChangeDateByNewHeadLine() {
    return false;
}
