#pragma once
// The host's symbol descriptor: market type and symbol id, plus a second byte
// and string. A news service is described with the service byte in both bytes
// and both strings empty.
#include "CString.h"
#include "WinTypes.h"

struct CSymbolInfo {
    BYTE m_byMarket = 0;
    CString m_strSymbol;
    BYTE m_bySecond = 0;
    CString m_strSecond;

    CSymbolInfo() = default;
    CSymbolInfo(BYTE market, const CString& symbol) : m_byMarket(market), m_strSymbol(symbol) {}

    static CSymbolInfo ForService(BYTE service) {
        CSymbolInfo info;
        info.m_byMarket = service;
        info.m_bySecond = service;
        return info;
    }

    // The accessor copies the id into the second string and returns it.
    const CString& GetSymbolID() {
        m_strSecond = m_strSymbol;
        return m_strSecond;
    }
    const CString& GetSymbolID() const { return m_strSymbol; }

    friend bool operator==(const CSymbolInfo&, const CSymbolInfo&) = default;
};
