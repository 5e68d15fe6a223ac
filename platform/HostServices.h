#pragma once
// The host's common services that the module calls: the system folder, the
// current fonts and colour scheme, the current symbol, symbol registration,
// entitlements and small policy questions. The host configures one StandardHostServices;
// tests may replace it.
#include <bitset>
#include <map>
#include <string>
#include <vector>

#include "CFont.h"
#include "CSymbolInfo.h"
#include "ColorScheme.h"
#include "WinTypes.h"

class CWnd;  // the window layer's window; only its identity matters here

// One call of C_RegisterSymbol, as the host saw it.
struct SymbolRegistration {
    const CWnd* window = nullptr;
    std::vector<CSymbolInfo> added;
    std::vector<CSymbolInfo> removed;
    bool flag = false;
};

class HostServices {
  public:
    virtual ~HostServices() = default;
    // Kind 0: the host's system folder, without a trailing separator.
    virtual CString GetSysPath(BYTE kind) const = 0;
    // Kind 0: the normal font; kind 1: the second font. Not owned by the caller.
    virtual CFont* GetCurrentFont(int kind) = 0;
    virtual COLORREF GetOtherColor(const CString& key) const = 0;
    virtual CSymbolInfo GetCurrentSymbol() const = 0;
    virtual void RegisterSymbol(const CWnd* window, const std::vector<CSymbolInfo>& add,
                                const std::vector<CSymbolInfo>& remove, bool flag) = 0;
    // Whether `window` holds a registration of `symbol` now. A host that
    // keeps no registrations delivers everything, so it answers true.
    virtual bool HoldsSymbol(const CWnd* /*window*/, const CSymbolInfo& /*symbol*/) const {
        return true;
    }
    virtual bool IsThinScrollbar() const = 0;
    virtual bool IsNormalTWSESymbolID(BYTE market, const CString& id) const = 0;
    // Whether the user is entitled to a service (symbol news is service 16).
    // Hosts that keep no entitlements entitle everyone to everything.
    virtual bool IsAuthService(BYTE /*service*/) const { return true; }
};

class StandardHostServices : public HostServices {
  public:
    StandardHostServices();

    CString GetSysPath(BYTE kind) const override;
    CFont* GetCurrentFont(int kind) override;
    COLORREF GetOtherColor(const CString& key) const override;
    CSymbolInfo GetCurrentSymbol() const override { return m_currentSymbol; }
    void RegisterSymbol(const CWnd* window, const std::vector<CSymbolInfo>& add,
                        const std::vector<CSymbolInfo>& remove, bool flag) override;
    bool HoldsSymbol(const CWnd* window, const CSymbolInfo& symbol) const override;
    bool IsThinScrollbar() const override { return m_thinScrollbar; }
    // Listed shares of the Taiwan exchange: market type 16 and an id of four
    // digits, optionally followed by up to two more digits or capital letters.
    bool IsNormalTWSESymbolID(BYTE market, const CString& id) const override;
    // Entitled to every service until told otherwise.
    bool IsAuthService(BYTE service) const override { return m_authServices.test(service); }

    void SetSysPath(const CString& folder);
    void SetFont(int kind, const CFont& font);
    ColorScheme& Colors() { return m_colors; }
    const ColorScheme& Colors() const { return m_colors; }
    void SetCurrentSymbol(const CSymbolInfo& symbol) { m_currentSymbol = symbol; }
    void SetThinScrollbar(bool thin) { m_thinScrollbar = thin; }
    void SetAuthService(BYTE service, bool entitled) { m_authServices.set(service, entitled); }
    // Entitled to exactly these services.
    void SetAuthServices(const std::vector<BYTE>& services) {
        m_authServices.reset();
        for (const BYTE service : services)
            m_authServices.set(service);
    }
    void EntitleAllServices() { m_authServices.set(); }

    // Every registration call in order, and what each window holds now.
    const std::vector<SymbolRegistration>& Registrations() const { return m_registrations; }
    std::vector<CSymbolInfo> RegisteredSymbols(const CWnd* window) const;
    void ClearRegistrations() {
        m_registrations.clear();
        m_registered.clear();
    }

    // The market type of listed Taiwan shares.
    static constexpr BYTE kTwseMarket = 16;

  private:
    CString m_sysPath;
    std::map<int, CFont> m_fonts;
    ColorScheme m_colors;
    CSymbolInfo m_currentSymbol;
    bool m_thinScrollbar = false;
    std::bitset<256> m_authServices = std::bitset<256>().set();
    std::vector<SymbolRegistration> m_registrations;
    std::map<const CWnd*, std::vector<CSymbolInfo>> m_registered;
};
