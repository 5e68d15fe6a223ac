#include "SKQTabColorSet.h"

#include "HostApi.h"

SKQTabColorSet::SKQTabColorSet() {
    SKQTabColorSet::RefreshMetrics();
}

void SKQTabColorSet::RefreshMetrics() {
    m_colors.background = SYS_crGetOtherColor("COLOR_TAB_BACKGROUND");
    m_colors.normalTab = SYS_crGetOtherColor("COLOR_TAB_NORMAL");
    m_colors.selectedTab = SYS_crGetOtherColor("COLOR_TAB_SELECTED");
    m_colors.text = SYS_crGetOtherColor("COLOR_TAB_TEXT");
    m_colors.border = SYS_crGetOtherColor("COLOR_TAB_BORDER");
    m_colors.accent = SYS_crGetOtherColor("COLOR_TAB_ACCENT");
}
