#pragma once
// Messages, styles, notification codes, flags and notification structures of
// the common controls, with the standard values the module's code was written
// against (WinDefs.h holds those the core shares). Strings travel in message
// parameters as `const char*` (UTF-8, NUL-terminated) into a control and as
// `CString*` out of it, so no message writes into a caller's raw buffer.
#include <cstdint>

#include "ui/Geometry.h"
#include "ui/WinDefs.h"

// Positions for iterating over the selected rows of a list view; null ends.
struct PositionTag;
using POSITION = PositionTag*;

// ---- Buttons
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_TYPEMASK = 0x000F;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_CLICK = 0x00F5;

// ---- Edits and rich edits
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_WANTRETURN = 0x1000;

constexpr UINT WM_GETTEXT = 0x000D;  // lParam: CString* to fill; returns the length
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PASTE = 0x0302;  // not sent by the layer: a front end pastes with CEdit::Paste

constexpr UINT EM_GETSEL = 0x00B0;  // wParam, lParam: int* start and end (may be null)
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_REPLACESEL = 0x00C2;  // lParam: const char*
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_EXGETSEL = WM_USER + 52;  // lParam: CHARRANGE*
constexpr UINT EM_EXSETSEL = WM_USER + 55;  // lParam: const CHARRANGE*
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_HIDESELECTION = WM_USER + 63;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr UINT EM_FINDTEXTEX = WM_USER + 79;  // wParam: FR_ flags, lParam: FINDTEXTEX*

constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;

// Rich edit event mask: which notifications the rich edit sends its parent.
constexpr DWORD ENM_NONE = 0x00000000;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_UPDATE = 0x00000002;

struct CHARRANGE {
    long cpMin = 0;
    long cpMax = 0;
};

struct FINDTEXTEX {
    CHARRANGE chrg;                   // where to search; cpMax -1 is the end of the text
    const char* lpstrText = nullptr;  // UTF-8
    CHARRANGE chrgText;               // what was found, (-1, -1) when nothing was
};

// ---- Statics
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;

// ---- Combo boxes
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_TYPEMASK = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;

constexpr UINT CB_GETEDITSEL = 0x0140;  // returns MAKELPARAM(start, end)
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;  // lParam: MAKELPARAM(start, end)
constexpr UINT CB_ADDSTRING = 0x0143;   // lParam: const char*
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;  // lParam: CString* to fill; returns the length
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;  // lParam: const char*
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;  // wParam: start, lParam: const char*
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITUPDATE = 6;
constexpr WORD CBN_SELENDOK = 9;

// ---- List boxes
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;  // lParam: CString* to fill; returns the length
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

constexpr WORD LBN_DBLCLK = 2;

// ---- List views
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;

constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;

constexpr UINT LVIF_STATE = 0x0008;

constexpr UINT NM_CLICK = static_cast<UINT>(-2);

// Sent with LVN_ITEMCHANGED: one row whose state changed.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;  // the row's item data
};

// Sent with NM_CLICK and NM_DBLCLK: the row clicked (-1 below the rows).
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

// ---- Date-time pickers
constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_TIMEFORMAT = 0x0009;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;  // lParam: SYSTEMTIME*; returns GDT_VALID
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;  // wParam: GDT_VALID, lParam: const SYSTEMTIME*

constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;  // 0 = Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// Sent with DTN_DATETIMECHANGE: the value the picker took.
struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags = GDT_VALID;
    SYSTEMTIME st;
};
