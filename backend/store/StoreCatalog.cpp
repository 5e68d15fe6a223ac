// Services, categories, markets and their symbols.
#include <algorithm>

#include "NewsStore.h"
#include "StoreWriteScope.h"

namespace {

CString text(const sqlite::Statement& st, int column) {
    return CString(st.ColumnText(column));
}

BYTE byte(const sqlite::Statement& st, int column) {
    return static_cast<BYTE>(st.ColumnInt(column));
}

SymbolRow symbolRow(const sqlite::Statement& st) {
    return SymbolRow{byte(st, 0), text(st, 1), text(st, 2), text(st, 3), text(st, 4), text(st, 5)};
}

constexpr const char* kSymbolColumns =
    "SELECT market, id, name, commodity, section, exchange FROM symbol";

// The listing query for a filter: each narrowing is one more indexed column.
std::string symbolQuery(const SymbolFilter& filter, const char* select, const char* tail) {
    std::string sql = std::string(select) + " WHERE market = ?1";
    if (!filter.commodityId.IsEmpty())
        sql += " AND commodity = ?2";
    if (!filter.sectionId.IsEmpty())
        sql += " AND section = ?3";
    if (!filter.exchangeId.IsEmpty())
        sql += " AND exchange = ?4";
    return sql + tail;
}

void bindSymbolFilter(sqlite::Statement& st, const SymbolFilter& filter) {
    st.Bind(1, filter.market);
    if (!filter.commodityId.IsEmpty())
        st.Bind(2, filter.commodityId.str());
    if (!filter.sectionId.IsEmpty())
        st.Bind(3, filter.sectionId.str());
    if (!filter.exchangeId.IsEmpty())
        st.Bind(4, filter.exchangeId.str());
}

}  // namespace

bool NewsStore::ensureService(BYTE service) {
    auto st = m_statements.Use(
        "INSERT INTO service(service, full_name, short_name, news_day) VALUES(?1, '', '', 0) "
        "ON CONFLICT(service) DO NOTHING");
    if (!st.ok())
        return failQuery();
    st->Bind(1, service);
    return st->Run() || failQuery();
}

bool NewsStore::ensureMarket(BYTE market) {
    auto st = m_statements.Use(
        "INSERT INTO market(market, full_name) VALUES(?1, '') ON CONFLICT(market) DO NOTHING");
    if (!st.ok())
        return failQuery();
    st->Bind(1, market);
    return st->Run() || failQuery();
}

bool NewsStore::PutService(BYTE service, const CString& fullName, const CString& shortName,
                           std::int32_t newsDay) {
    WriteScope write(*this);
    if (!write.ok())
        return false;
    auto st = m_statements.Use(
        "INSERT INTO service(service, full_name, short_name, news_day) VALUES(?1, ?2, ?3, ?4) "
        "ON CONFLICT(service) DO UPDATE SET full_name = excluded.full_name, "
        "short_name = excluded.short_name, news_day = excluded.news_day");
    if (!st.ok())
        return failQuery();
    st->Bind(1, service).Bind(2, fullName.str()).Bind(3, shortName.str()).Bind(4, newsDay);
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::SetNewsDay(BYTE service, std::int32_t newsDay) {
    WriteScope write(*this);
    if (!write.ok() || !ensureService(service))
        return false;
    auto st = m_statements.Use("UPDATE service SET news_day = ?2 WHERE service = ?1");
    if (!st.ok())
        return failQuery();
    st->Bind(1, service).Bind(2, newsDay);
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::PutCategory(BYTE service, const CString& id, const CString& name) {
    WriteScope write(*this);
    if (!write.ok() || !ensureService(service))
        return false;
    auto st = m_statements.Use(
        "INSERT INTO category(service, id, name) VALUES(?1, ?2, ?3) "
        "ON CONFLICT(service, id) DO UPDATE SET name = excluded.name");
    if (!st.ok())
        return failQuery();
    st->Bind(1, service).Bind(2, CanonicalCategoryId(id).str()).Bind(3, name.str());
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::PutMarket(BYTE market, const CString& fullName) {
    WriteScope write(*this);
    if (!write.ok())
        return false;
    auto st = m_statements.Use(
        "INSERT INTO market(market, full_name) VALUES(?1, ?2) "
        "ON CONFLICT(market) DO UPDATE SET full_name = excluded.full_name");
    if (!st.ok())
        return failQuery();
    st->Bind(1, market).Bind(2, fullName.str());
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::SetMarketExName(BYTE market, const CString& exName) {
    const std::string& name = exName.str();
    const bool wellFormed = name.size() == 2 && std::all_of(name.begin(), name.end(), [](char c) {
                                return c > ' ' && c < 0x7F && c != '[' && c != ']';
                            });
    if (!wellFormed)
        return fail("market " + std::to_string(market) + ": exchange name \"" + name +
                    "\" is not two printable ASCII characters; it is not used");
    if (const std::optional<MarketRow> owner = MarketByExName(exName);
        owner && owner->market != market)
        return fail("market " + std::to_string(market) + ": exchange name \"" + name +
                    "\" is already market " + std::to_string(owner->market) + "'s; it is not used");
    WriteScope write(*this);
    if (!write.ok() || !ensureMarket(market))
        return false;
    auto st = m_statements.Use("UPDATE market SET ex_name = ?2 WHERE market = ?1");
    if (!st.ok())
        return failQuery();
    st->Bind(1, market).Bind(2, name);
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::putNamed(const char* sql, BYTE owner, const CString& id, const CString& name) {
    WriteScope write(*this);
    if (!write.ok() || !ensureMarket(owner))
        return false;
    auto st = m_statements.Use(sql);
    if (!st.ok())
        return failQuery();
    st->Bind(1, owner).Bind(2, id.str()).Bind(3, name.str());
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::PutSection(BYTE market, const CString& id, const CString& name) {
    return putNamed(
        "INSERT INTO section(market, id, name) VALUES(?1, ?2, ?3) "
        "ON CONFLICT(market, id) DO UPDATE SET name = excluded.name",
        market, id, name);
}

bool NewsStore::PutCommodity(BYTE market, const CString& id, const CString& name) {
    return putNamed(
        "INSERT INTO commodity(market, id, name) VALUES(?1, ?2, ?3) "
        "ON CONFLICT(market, id) DO UPDATE SET name = excluded.name",
        market, id, name);
}

bool NewsStore::PutExchange(BYTE market, const CString& id, const CString& fullName,
                            const CString& localName) {
    WriteScope write(*this);
    if (!write.ok() || !ensureMarket(market))
        return false;
    auto st = m_statements.Use(
        "INSERT INTO exchange(market, id, full_name, local_name) VALUES(?1, ?2, ?3, ?4) "
        "ON CONFLICT(market, id) DO UPDATE SET full_name = excluded.full_name, "
        "local_name = excluded.local_name");
    if (!st.ok())
        return failQuery();
    st->Bind(1, market).Bind(2, id.str()).Bind(3, fullName.str()).Bind(4, localName.str());
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

bool NewsStore::PutSymbol(const FeedSymbol& symbol) {
    ++m_symbolWrites;
    WriteScope write(*this);
    if (!write.ok() || !ensureMarket(symbol.market))
        return false;
    auto st = m_statements.Use(
        "INSERT INTO symbol(market, id, name, commodity, section, exchange) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(market, id) DO UPDATE SET "
        "name = excluded.name, commodity = excluded.commodity, section = excluded.section, "
        "exchange = excluded.exchange");
    if (!st.ok())
        return failQuery();
    st->Bind(1, symbol.market)
        .Bind(2, symbol.id.str())
        .Bind(3, symbol.name.str())
        .Bind(4, symbol.commodityId.str())
        .Bind(5, symbol.sectionId.str())
        .Bind(6, symbol.exchangeId.str());
    if (!st->Run())
        return failQuery();
    return write.Commit();
}

std::vector<ServiceRow> NewsStore::Services() {
    std::vector<ServiceRow> rows;
    auto st = m_statements.Use(
        "SELECT service, full_name, short_name, news_day FROM service ORDER BY pos");
    if (!st.ok()) {
        failQuery();
        return rows;
    }
    while (st->Step())
        rows.push_back({byte(*st, 0), text(*st, 1), text(*st, 2),
                        static_cast<std::int32_t>(st->ColumnInt(3))});
    if (!st->Done())
        failQuery();
    return rows;
}

std::optional<ServiceRow> NewsStore::Service(BYTE service) {
    auto st = m_statements.Use(
        "SELECT service, full_name, short_name, news_day FROM service WHERE service = ?1");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    st->Bind(1, service);
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    return ServiceRow{byte(*st, 0), text(*st, 1), text(*st, 2),
                      static_cast<std::int32_t>(st->ColumnInt(3))};
}

std::vector<NamedRow> NewsStore::named(const char* sql, BYTE owner) {
    std::vector<NamedRow> rows;
    auto st = m_statements.Use(sql);
    if (!st.ok()) {
        failQuery();
        return rows;
    }
    st->Bind(1, owner);
    while (st->Step())
        rows.push_back({text(*st, 0), text(*st, 1)});
    if (!st->Done())
        failQuery();
    return rows;
}

std::vector<NamedRow> NewsStore::Categories(BYTE service) {
    return named("SELECT id, name FROM category WHERE service = ?1 ORDER BY pos", service);
}

std::vector<MarketRow> NewsStore::Markets() {
    std::vector<MarketRow> rows;
    auto st = m_statements.Use("SELECT market, full_name, ex_name FROM market ORDER BY pos");
    if (!st.ok()) {
        failQuery();
        return rows;
    }
    while (st->Step())
        rows.push_back({byte(*st, 0), text(*st, 1), text(*st, 2)});
    if (!st->Done())
        failQuery();
    return rows;
}

std::optional<MarketRow> NewsStore::market(std::string_view sql,
                                           const std::function<void(sqlite::Statement&)>& bind) {
    auto st = m_statements.Use(sql);
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    bind(*st);
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    return MarketRow{byte(*st, 0), text(*st, 1), text(*st, 2)};
}

std::optional<MarketRow> NewsStore::Market(BYTE market) {
    return this->market("SELECT market, full_name, ex_name FROM market WHERE market = ?1",
                        [market](sqlite::Statement& st) { st.Bind(1, market); });
}

std::optional<MarketRow> NewsStore::MarketByExName(const CString& exName) {
    return market(
        "SELECT market, full_name, ex_name FROM market WHERE ex_name = ?1 ORDER BY pos LIMIT 1",
        [&exName](sqlite::Statement& st) { st.Bind(1, exName.str()); });
}

std::vector<NamedRow> NewsStore::Sections(BYTE market) {
    return named("SELECT id, name FROM section WHERE market = ?1 ORDER BY pos", market);
}

std::vector<NamedRow> NewsStore::Commodities(BYTE market) {
    return named("SELECT id, name FROM commodity WHERE market = ?1 ORDER BY pos", market);
}

std::optional<NamedRow> NewsStore::Commodity(BYTE market, const CString& id) {
    auto st = m_statements.Use("SELECT id, name FROM commodity WHERE market = ?1 AND id = ?2");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    st->Bind(1, market).Bind(2, id.str());
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    return NamedRow{text(*st, 0), text(*st, 1)};
}

std::vector<ExchangeRow> NewsStore::Exchanges(BYTE market) {
    std::vector<ExchangeRow> rows;
    auto st = m_statements.Use(
        "SELECT id, full_name, local_name FROM exchange WHERE market = ?1 ORDER BY pos");
    if (!st.ok()) {
        failQuery();
        return rows;
    }
    st->Bind(1, market);
    while (st->Step())
        rows.push_back({text(*st, 0), text(*st, 1), text(*st, 2)});
    if (!st->Done())
        failQuery();
    return rows;
}

std::vector<SymbolRow> NewsStore::Symbols(const SymbolFilter& filter) {
    std::vector<SymbolRow> rows;
    auto st = m_statements.Use(symbolQuery(filter, kSymbolColumns, " ORDER BY pos"));
    if (!st.ok()) {
        failQuery();
        return rows;
    }
    bindSymbolFilter(*st, filter);
    while (st->Step())
        rows.push_back(symbolRow(*st));
    if (!st->Done())
        failQuery();
    return rows;
}

bool NewsStore::HasSymbols(const SymbolFilter& filter) {
    auto st = m_statements.Use(symbolQuery(filter, "SELECT 1 FROM symbol", " LIMIT 1"));
    if (!st.ok())
        return failQuery();
    bindSymbolFilter(*st, filter);
    if (st->Step())
        return true;
    if (!st->Done())
        failQuery();
    return false;
}

std::optional<SymbolRow> NewsStore::Symbol(BYTE market, const CString& id) {
    auto st = m_statements.Use(std::string(kSymbolColumns) + " WHERE market = ?1 AND id = ?2");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    st->Bind(1, market).Bind(2, id.str());
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    return symbolRow(*st);
}
