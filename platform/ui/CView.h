#pragma once
// CView: a window that draws itself through OnDraw and is set up by its frame
// with OnInitialUpdate once it exists.
#include "CWnd.h"

class CView : public CWnd {
  public:
    virtual void OnInitialUpdate() {}
    virtual void OnDraw(CDC* /*dc*/) {}

  protected:
    void OnPaint(CDC& dc) override { OnDraw(&dc); }
};
