#include "CXTPTabColorSet.h"

CXTPTabColorSetDefault::CXTPTabColorSetDefault() {
    CXTPTabColorSetDefault::RefreshMetrics();
}

void CXTPTabColorSetDefault::RefreshMetrics() {
    m_colors.background = RGB(0xF0, 0xF0, 0xF0);
    m_colors.normalTab = RGB(0xDC, 0xDC, 0xDC);
    m_colors.selectedTab = RGB(0xFF, 0xFF, 0xFF);
    m_colors.text = RGB(0x00, 0x00, 0x00);
    m_colors.border = RGB(0xA0, 0xA0, 0xA0);
    m_colors.accent = RGB(0x33, 0x66, 0xCC);
}
