#pragma once
// The keyword edit of the search modes. Keywords are separated by the search
// itself, so a blank cannot be typed into one, and nothing can be pasted
// (a pasted text could carry blanks and line breaks): both are refused with
// a tip next to the edit. Enter runs the search.
#include "ui/controls/CEdit.h"

class SKQNewsCtrlView;

class CKeywordEdit : public CEdit {
  public:
    // Not owned; the view that made the edit.
    void vSetNewsView(SKQNewsCtrlView* view);
    SKQNewsCtrlView* pGetNewsView() const { return m_pNewsView; }

  protected:
    bool PreTranslateKey(UINT message, UINT key) override;

  private:
    void refuse(const char* textKey);

    SKQNewsCtrlView* m_pNewsView = nullptr;
};
