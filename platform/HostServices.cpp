#include "HostServices.h"

#include <algorithm>
#include <cstdlib>

StandardHostServices::StandardHostServices() {
    const char* sys = std::getenv("KQ_SYS_DIR");
    SetSysPath(sys && *sys ? sys : "data/sys");
    m_fonts.emplace(0, CFont("Noto Sans CJK TC", 9, 400));
    m_fonts.emplace(1, CFont("Noto Sans CJK TC", 9, 700));
}

void StandardHostServices::SetSysPath(const CString& folder) {
    m_sysPath = folder;
    m_sysPath.Replace('\\', '/');
    while (m_sysPath.GetLength() > 1 && m_sysPath.Right(1) == "/")
        m_sysPath = m_sysPath.Left(m_sysPath.GetLength() - 1);
}

CString StandardHostServices::GetSysPath(BYTE kind) const {
    return kind == 0 ? m_sysPath : CString();
}

CFont* StandardHostServices::GetCurrentFont(int kind) {
    const auto it = m_fonts.find(kind);
    return it == m_fonts.end() ? &m_fonts.at(0) : &it->second;
}

void StandardHostServices::SetFont(int kind, const CFont& font) {
    m_fonts[kind] = font;
}

COLORREF StandardHostServices::GetOtherColor(const CString& key) const {
    return m_colors.Get(key);
}

void StandardHostServices::RegisterSymbol(const CWnd* window, const std::vector<CSymbolInfo>& add,
                                          const std::vector<CSymbolInfo>& remove, bool flag) {
    m_registrations.push_back({window, add, remove, flag});
    auto& held = m_registered[window];
    for (const auto& symbol : remove) {
        const auto it = std::find(held.begin(), held.end(), symbol);
        if (it != held.end())
            held.erase(it);
    }
    for (const auto& symbol : add) {
        if (std::find(held.begin(), held.end(), symbol) == held.end())
            held.push_back(symbol);
    }
    if (held.empty())
        m_registered.erase(window);
}

std::vector<CSymbolInfo> StandardHostServices::RegisteredSymbols(const CWnd* window) const {
    const auto it = m_registered.find(window);
    return it == m_registered.end() ? std::vector<CSymbolInfo>{} : it->second;
}

bool StandardHostServices::HoldsSymbol(const CWnd* window, const CSymbolInfo& symbol) const {
    const auto it = m_registered.find(window);
    return it != m_registered.end() &&
           std::find(it->second.begin(), it->second.end(), symbol) != it->second.end();
}

bool StandardHostServices::IsNormalTWSESymbolID(BYTE market, const CString& id) const {
    if (market != kTwseMarket || id.GetLength() < 4 || id.GetLength() > 6)
        return false;
    for (int i = 0; i < id.GetLength(); ++i) {
        const char c = id[i];
        const bool digit = c >= '0' && c <= '9';
        const bool letter = c >= 'A' && c <= 'Z';
        if (i < 4 ? !digit : !(digit || letter))
            return false;
    }
    return true;
}
