#pragma once
// The terminal's tab colours: every colour of the strip comes from the host's
// current colour scheme ("COLOR_TAB_..." keys), so tab strips follow the
// scheme the trader picked.
#include "CXTPTabColorSet.h"

class SKQTabColorSet : public CXTPTabColorSetDefault {
  public:
    SKQTabColorSet();
    void RefreshMetrics() override;
};
