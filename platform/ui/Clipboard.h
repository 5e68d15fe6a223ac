#pragma once
// The clipboard's text. The Qt front end's is the desktop's; the headless
// one's is kept here, so tests and scripts can read what was copied.
#include "CString.h"

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void SetText(const CString& text) = 0;
    virtual CString GetText() const = 0;
};

class MemoryClipboard final : public Clipboard {
  public:
    void SetText(const CString& text) override { m_text = text; }
    CString GetText() const override { return m_text; }

  private:
    CString m_text;
};
