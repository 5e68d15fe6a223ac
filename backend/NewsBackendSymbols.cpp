// Markets, their groups and symbols, for the symbol picker and combo.
#include "NewsBackend.h"
#include "core/BackendSession.h"

std::vector<MarketRow> NewsBackend::Markets() {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Markets() : std::vector<MarketRow>();
}

std::optional<MarketRow> NewsBackend::Market(BYTE market) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Market(market) : std::nullopt;
}

std::optional<MarketRow> NewsBackend::MarketByExName(const CString& exName) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.MarketByExName(exName) : std::nullopt;
}

std::vector<NamedRow> NewsBackend::Sections(BYTE market) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Sections(market) : std::vector<NamedRow>();
}

std::vector<NamedRow> NewsBackend::Commodities(BYTE market) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Commodities(market) : std::vector<NamedRow>();
}

std::optional<NamedRow> NewsBackend::Commodity(BYTE market, const CString& id) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Commodity(market, id) : std::nullopt;
}

std::vector<ExchangeRow> NewsBackend::Exchanges(BYTE market) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Exchanges(market) : std::vector<ExchangeRow>();
}

std::vector<SymbolRow> NewsBackend::Symbols(const SymbolFilter& filter) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Symbols(filter) : std::vector<SymbolRow>();
}

bool NewsBackend::HasSymbols(const SymbolFilter& filter) {
    Session session(*this);
    return m_store.IsOpen() && m_store.HasSymbols(filter);
}

std::optional<SymbolRow> NewsBackend::Symbol(BYTE market, const CString& id) {
    Session session(*this);
    return m_store.IsOpen() ? m_store.Symbol(market, id) : std::nullopt;
}
