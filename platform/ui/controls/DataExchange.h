#pragma once
// Dialog data exchange for the controls: each helper moves one value
// between a member and the control with that id, controls to members when
// saving (UpdateData(true)), members to controls when loading. A control
// that is missing or of another kind is reported once on stderr and the
// member is left alone.
#include "COleDateTime.h"
#include "CString.h"
#include "CTime.h"

class CDataExchange;

// The 0-based index of the checked radio button of the group that starts
// at `id` (-1: none checked); loading checks that one and unchecks the rest.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE of a check box.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Combo box: the selected index (-1: none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// Combo box: the text shown. Loading selects the first item beginning with
// the text (without regard to case); when none does, an edit field takes
// the text as it is. An empty text selects nothing.
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
// As DDX_CBString, but loading selects only an item equal to the text.
void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value);
// List box of one selection: the selected index (-1: none).
void DDX_LBIndex(CDataExchange* pDX, int id, int& index);
// List box of one selection: the selected item's text (empty: none).
// Loading selects the first item beginning with the text, or none.
void DDX_LBString(CDataExchange* pDX, int id, CString& value);
// Date-time picker. Loading a value the picker refuses (invalid, out of
// range) marks the exchange as failed.
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, CTime& value);
