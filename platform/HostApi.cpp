#include "HostApi.h"

#include "HostContext.h"

namespace {
HostContext& host() {
    return HostContext::Current();
}
}  // namespace

CString s_LangGetLangString(const char* key) {
    return host().GetLanguage().GetText(key);
}

bool s_LangIsConvertToSimplified(const BYTE& service) {
    return host().GetLanguage().IsConvertToSimplified(service);
}

void s_LangConvertToSimplifiedChinese(const CString& in, CString& out) {
    host().GetLanguage().ConvertToSimplified(in, out);
}

CString s_PathGetSysPath(BYTE kind) {
    return host().GetServices().GetSysPath(kind);
}

CFont* SYS_GetCurrentFont(int kind) {
    return host().GetServices().GetCurrentFont(kind);
}

COLORREF SYS_crGetOtherColor(CString key) {
    return host().GetServices().GetOtherColor(key);
}

CSymbolInfo SYS_cszGetCurrentSymbol() {
    return host().GetServices().GetCurrentSymbol();
}

void C_RegisterSymbol(CWnd* window, const std::vector<CSymbolInfo>& add,
                      const std::vector<CSymbolInfo>& remove, bool flag) {
    host().GetServices().RegisterSymbol(window, add, remove, flag);
}

bool BK_bIsThinScrollbar() {
    return host().GetServices().IsThinScrollbar();
}

bool bIsNormalTWSESymbolID(BYTE market, const CString& id) {
    return host().GetServices().IsNormalTWSESymbolID(market, id);
}
