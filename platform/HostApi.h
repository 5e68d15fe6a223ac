#pragma once
// The host's common services as the module calls them. Each forwards to the
// installed HostContext.
#include <vector>

#include "CFont.h"
#include "CString.h"
#include "CSymbolInfo.h"
#include "WinTypes.h"

class CWnd;

CString s_LangGetLangString(const char* key);
bool s_LangIsConvertToSimplified(const BYTE& service);
void s_LangConvertToSimplifiedChinese(const CString& in, CString& out);

CString s_PathGetSysPath(BYTE kind);
CFont* SYS_GetCurrentFont(int kind);
COLORREF SYS_crGetOtherColor(CString key);
CSymbolInfo SYS_cszGetCurrentSymbol();
void C_RegisterSymbol(CWnd* window, const std::vector<CSymbolInfo>& add,
                      const std::vector<CSymbolInfo>& remove, bool flag);
bool BK_bIsThinScrollbar();
bool bIsNormalTWSESymbolID(BYTE market, const CString& id);
