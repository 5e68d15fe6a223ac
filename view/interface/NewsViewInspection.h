#pragma once
// What the automation and the tests may read of a news view without reaching
// into its members: the view implements this interface.
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "SearchConditions.h"
#include "WinTypes.h"

class CDlgTipMsg;
class CGridoraWnd;
class CMenu;
class CXTTipWindow;
class INewsStoryWindow;

// One headline of a print or save job that waits for the back-end.
struct CInspectOutputItem {
    CHeadlineTable key;
    CString strTitle;
    bool bHeadline = false;
    bool bStory = false;
};

class INewsViewInspection {
  public:
    virtual ~INewsViewInspection() = default;

    virtual int iInspectCurrentMode() const = 0;  // the mode shown now
    virtual int iInspectFocusedMode() const = 0;  // the mode last switched to
    virtual DWORD dwInspectModeMask() const = 0;
    // The grid of a mode (0-6), or null when the view has none.
    virtual CGridoraWnd* pInspectSheet(int mode) const = 0;
    // The headline keys of a mode's list, in list order (a copy: the list
    // keeps its keys in its own form). Empty for a mode outside 0-6.
    virtual std::vector<CHeadlineTable> InspectList(int mode) const = 0;
    virtual const CMenu& InspectServiceMenu() const = 0;
    // Per sheet check list (0, 1, 2), one byte per news service in back-end order.
    virtual std::vector<std::vector<BYTE>> InspectServiceChecks() const = 0;
    // The text the title strip shows after the view name ("-" and short names).
    virtual CString cszInspectTitleText() const = 0;
    // The tip popup (notices near a sheet) and the balloon tip (refusals at a
    // control), for what they show now; the popup is null before the view's
    // initial update.
    virtual const CDlgTipMsg* pInspectTipMsg() const = 0;
    virtual const CXTTipWindow* pInspectTipWnd() const = 0;
    // The category id of each item of the category combo (3004), in item
    // order; empty for a view without categories.
    virtual std::vector<CString> InspectCategoryIDs() const { return {}; }
    // The view's story window, null while it has none.
    virtual INewsStoryWindow* pInspectStory() const { return nullptr; }
    // The jobs waiting in the print (0) or save (1) collector, oldest first.
    virtual std::vector<std::vector<CInspectOutputItem>> InspectOutputJobs(
        int /*collector*/) const {
        return {};
    }

    // Searches: the four conditions (keyword search, the dialogs' last result,
    // relation, warning), the keyword history oldest first, the warning list
    // and the number of the warning condition last started (0: none).
    // A view without searches has none of them.
    virtual std::vector<CSearch> InspectConditions() const { return {}; }
    virtual std::vector<CString> InspectKeywordHistory() const { return {}; }
    virtual std::vector<CSearch> InspectWarningItems() const { return {}; }
    virtual int iInspectWarningItemOrder() const { return 0; }
    // Starts a warning condition as the warning list's OK does: it becomes
    // the warning condition, joins the list unless the same is there, and is
    // searched when the warning mode is shown. False for a view without
    // warning searches.
    virtual bool bStartWarningSearch(const CSearch& /*condition*/) { return false; }
};
