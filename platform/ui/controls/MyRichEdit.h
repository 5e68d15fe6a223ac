#pragma once
// MyRichEdit: the story pane, a rich-edit control holding plain text. Its
// text is the window text, kept as given (a CR LF stays two characters).
// Positions — of the selection, of the search range and of what is found —
// count characters (Unicode code points, see Utf8.h), so a found range
// selects exactly the text found, Chinese included.
//
// FindText searches without regard to (ASCII) case unless FR_MATCHCASE is
// given; FR_WHOLEWORD wants ASCII word boundaries (letters, digits and '_'
// are word characters). With FR_DOWN it searches forward from cpMin to
// cpMax (-1: the end); without it, backward from cpMin down to cpMax (-1:
// the start), finding the last occurrence.
//
// The selection shows when the pane has the focus, or always with the
// ES_NOHIDESEL style (HideSelection(false, true) sets it). Read-only
// refuses a person's typing but not text set from code. With ENM_CHANGE in
// the event mask, text changes send EN_CHANGE to the parent.
//
// Marks are ranges shown as selected text besides the selection, so every
// found search term stays visible while only one range can be selected.
// Setting the text drops them.
#include <vector>

#include "ControlMessages.h"
#include "EditText.h"
#include "ui/CWnd.h"

class MyRichEdit : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::RichEdit; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void SetWindowText(const char* text) override;
    using CWnd::SetWindowText;
    int GetTextLength() const;  // characters

    // A cpMax of -1 (or past the end) is the end; a cpMin of -1 drops the
    // selection. SetSel(0, -1) selects everything.
    void SetSel(long start, long end);
    void SetSel(const CHARRANGE& range) { SetSel(range.cpMin, range.cpMax); }
    void GetSel(long& start, long& end) const;
    void GetSel(CHARRANGE& range) const { GetSel(range.cpMin, range.cpMax); }
    CString GetSelText() const;
    void ReplaceSel(const char* text, bool canUndo = false);

    // The start of what was found (and its range in find->chrgText), or -1.
    long FindText(DWORD flags, FINDTEXTEX* find) const;
    // Forward search from `start` to the end, without regard to case.
    long FindText(const CString& text, long start) const;

    // `hide`: hide the selection while the pane has no focus. `permanent`
    // makes it the style (ES_NOHIDESEL cleared or set).
    void HideSelection(bool hide, bool permanent);
    bool IsSelectionShown() const;

    // A range (clipped to the text; an empty one is ignored) to show as selected.
    void AddMark(const CHARRANGE& range);
    void ClearMarks();
    const std::vector<CHARRANGE>& GetMarks() const { return m_marks; }

    bool SetReadOnly(bool readOnly = true);
    bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    DWORD SetEventMask(DWORD mask);  // returns the previous mask
    DWORD GetEventMask() const { return m_eventMask; }

    int GetLineCount() const;
    // The line holding character `position` (-1: the caret's), from 0.
    int LineFromChar(long position) const;

    // A person types (WM_CHAR, one character each; nothing when read-only);
    // returns how many characters changed the text.
    int TypeText(const CString& text);

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

  private:
    EditText& model() const;
    void textChanged();

    mutable EditText m_edit;
    DWORD m_eventMask = ENM_NONE;
    std::vector<CHARRANGE> m_marks;
    bool m_selectionHidden = false;  // hidden for now, whatever the style says
};
