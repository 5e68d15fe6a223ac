#pragma once
// The colours a tab strip is painted with. The paint manager refreshes its
// set before every paint, so a set that reads its colours from somewhere that
// can change (the host's colour scheme) shows the change on the next repaint.
#include "WinTypes.h"

struct TabColors {
    COLORREF background = 0;   // the strip behind the tabs
    COLORREF normalTab = 0;    // a tab that is not selected
    COLORREF selectedTab = 0;  // the selected tab
    COLORREF text = 0;         // captions
    COLORREF border = 0;       // tab frames and the strip's base line
    COLORREF accent = 0;       // the bar over the selected tab in the themed look
};

// Neutral greys that suit any window background.
class CXTPTabColorSetDefault {
  public:
    CXTPTabColorSetDefault();
    virtual ~CXTPTabColorSetDefault() = default;
    CXTPTabColorSetDefault(const CXTPTabColorSetDefault&) = delete;
    CXTPTabColorSetDefault& operator=(const CXTPTabColorSetDefault&) = delete;

    // Takes the colours afresh from wherever the set gets them.
    virtual void RefreshMetrics();

    const TabColors& GetColors() const { return m_colors; }

  protected:
    TabColors m_colors;
};
