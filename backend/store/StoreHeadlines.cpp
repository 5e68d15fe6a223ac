// Headlines, their symbols and stories.
#include <sqlite3.h>
#include <charconv>
#include <string>
#include <unordered_set>

#include "CTime.h"
#include "NewsStore.h"
#include "StoreWriteScope.h"

namespace {

constexpr const char* kHeadlineColumns =
    "SELECT h.service, h.time, h.serial, h.title, h.reserved, h.deleted, h.category_id, "
    "h.category";

StoredHeadline storedHeadline(const sqlite::Statement& st) {
    StoredHeadline out;
    out.record.byService = static_cast<BYTE>(st.ColumnInt(0));
    out.record.tTime = static_cast<std::int32_t>(st.ColumnInt(1));
    out.record.dwSerial = static_cast<std::uint32_t>(st.ColumnInt(2));
    out.record.strTitle = CString(st.ColumnText(3));
    out.record.byReserved = static_cast<BYTE>(st.ColumnInt(4));
    out.record.byDeleted = static_cast<BYTE>(st.ColumnInt(5));
    out.record.dwCategoryID = static_cast<std::uint32_t>(st.ColumnInt(6));
    out.categoryId = CString(st.ColumnText(7));
    return out;
}

void bindId(sqlite::Statement& st, const HeadlineId& id) {
    st.Bind(1, id.service).Bind(2, id.day).Bind(3, id.serial);
}

// The category of a fed headline: the text as given in its canonical form (the
// decimal number when none is), and the number from the text when the record
// carries none.
void categoryOf(const FeedHeadline& item, CString& text, std::uint32_t& number) {
    number = item.headline.dwCategoryID;
    if (item.categoryId.IsEmpty()) {
        text = CString(std::to_string(number));
        return;
    }
    text = CanonicalCategoryId(item.categoryId);
    if (number == 0) {
        const std::string& s = text.str();
        std::uint32_t parsed = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), parsed);
        if (ec == std::errc() && end == s.data() + s.size())
            number = parsed;
    }
}

std::vector<CString> distinctSymbols(const std::vector<CString>& symbols) {
    // A hash set, so a record naming many symbols costs linear time, not quadratic.
    std::vector<CString> out;
    std::unordered_set<std::string> seen;
    seen.reserve(symbols.size());
    for (const CString& symbol : symbols) {
        if (!symbol.IsEmpty() && seen.insert(symbol.str()).second)
            out.push_back(symbol);
    }
    return out;
}

}  // namespace

bool NewsStore::rowOf(const HeadlineId& id, std::optional<std::int64_t>& row) {
    row.reset();
    auto st =
        m_statements.Use("SELECT id FROM headline WHERE service = ?1 AND day = ?2 AND serial = ?3");
    if (!st.ok())
        return failQuery();
    bindId(*st, id);
    if (st->Step())
        row = st->ColumnInt(0);
    else if (!st->Done())
        return failQuery();
    return true;
}

std::optional<HeadlineWrite> NewsStore::PutHeadline(const FeedHeadline& item) {
    const CHeadline& h = item.headline;
    HeadlineWrite result;
    result.id = HeadlineId::Of(h.Key());
    result.stored.record = h;
    categoryOf(item, result.stored.categoryId, result.stored.record.dwCategoryID);
    const CHeadline& r = result.stored.record;

    const auto failed = [this] {
        failQuery();
        return std::optional<HeadlineWrite>();
    };
    WriteScope write(*this);
    std::optional<std::int64_t> existing;
    if (!write.ok() || !ensureService(h.byService) || !rowOf(result.id, existing))
        return std::nullopt;
    std::int64_t row = 0;
    if (existing) {
        row = *existing;
        auto st = m_statements.Use(
            "UPDATE headline SET time = ?2, title = ?3, reserved = ?4, deleted = ?5, "
            "category_id = ?6, category = ?7 WHERE id = ?1");
        if (!st.ok())
            return failed();
        st->Bind(1, row).Bind(2, r.tTime).Bind(3, r.strTitle.str()).Bind(4, r.byReserved);
        st->Bind(5, r.byDeleted).Bind(6, r.dwCategoryID).Bind(7, result.stored.categoryId.str());
        if (!st->Run())
            return failed();
    } else {
        auto st = m_statements.Use(
            "INSERT INTO headline(service, day, serial, time, title, reserved, deleted, "
            "category_id, category) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        if (!st.ok())
            return failed();
        bindId(*st, result.id);
        st->Bind(4, r.tTime).Bind(5, r.strTitle.str()).Bind(6, r.byReserved);
        st->Bind(7, r.byDeleted).Bind(8, r.dwCategoryID).Bind(9, result.stored.categoryId.str());
        if (!st->Run())
            return failed();
        row = sqlite3_last_insert_rowid(m_db.handle());
        result.inserted = true;
    }

    // Symbols: a re-sent headline that names none keeps the ones it had.
    result.symbols = distinctSymbols(item.symbols);
    if (!result.symbols.empty()) {
        auto clear = m_statements.Use("DELETE FROM headline_symbol WHERE headline = ?1");
        if (!clear.ok())
            return failed();
        clear->Bind(1, row);
        if (!clear->Run())
            return failed();
        for (std::size_t pos = 0; pos < result.symbols.size(); ++pos) {
            auto st = m_statements.Use(
                "INSERT INTO headline_symbol(symbol, service, time, serial, headline, pos) "
                "VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
            if (!st.ok())
                return failed();
            st->Bind(1, result.symbols[pos].str()).Bind(2, r.byService).Bind(3, r.tTime);
            st->Bind(4, result.id.serial).Bind(5, row).Bind(6, static_cast<std::int64_t>(pos));
            if (!st->Run())
                return failed();
        }
    } else if (existing) {
        auto st = m_statements.Use("UPDATE headline_symbol SET time = ?2 WHERE headline = ?1");
        if (!st.ok())
            return failed();
        st->Bind(1, row).Bind(2, r.tTime);
        if (!st->Run())
            return failed();
        result.symbols = HeadlineSymbols(result.id);
    }

    // Story: an empty one keeps the story held before.
    if (!item.story.IsEmpty()) {
        const std::optional<bool> changed = storeStory(row, item.story);
        if (!changed)
            return std::nullopt;
        result.storyChanged = *changed;
    }
    if (!write.Commit())
        return std::nullopt;
    return result;
}

std::optional<bool> NewsStore::storeStory(std::int64_t row, const CString& text) {
    {
        auto old = m_statements.Use("SELECT text FROM story WHERE headline = ?1");
        if (!old.ok()) {
            failQuery();
            return std::nullopt;
        }
        old->Bind(1, row);
        if (old->Step() && old->ColumnText(0) == text.str())
            return false;
    }
    auto st = m_statements.Use(
        "INSERT INTO story(headline, text) VALUES(?1, ?2) "
        "ON CONFLICT(headline) DO UPDATE SET text = excluded.text");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    st->Bind(1, row).Bind(2, text.str());
    if (!st->Run()) {
        failQuery();
        return std::nullopt;
    }
    return true;
}

std::optional<bool> NewsStore::PutStory(const HeadlineId& id, const CString& text) {
    WriteScope write(*this);
    std::optional<std::int64_t> row;
    if (!write.ok() || !rowOf(id, row) || !row)
        return std::nullopt;
    const std::optional<bool> changed = storeStory(*row, text);
    if (!changed || !write.Commit())
        return std::nullopt;
    return changed;
}

std::vector<CHeadlineTable> NewsStore::readKeys(sqlite::Statement& st, BYTE service) {
    std::vector<CHeadlineTable> out;
    while (st.Step())
        out.push_back(CHeadlineTable{service, static_cast<std::int32_t>(st.ColumnInt(0)),
                                     static_cast<std::int32_t>(st.ColumnInt(1))});
    if (!st.Done())
        failQuery();
    return out;
}

std::vector<CHeadlineTable> NewsStore::keys(std::string_view sql, BYTE service, const CString* text,
                                            std::int64_t number) {
    std::vector<CHeadlineTable> out;
    auto st = m_statements.Use(sql);
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, service);
    if (text)
        st->Bind(2, text->str());
    else
        st->Bind(2, number);
    return readKeys(*st, service);
}

std::int64_t NewsStore::count(std::string_view sql, BYTE service, const CString* text,
                              std::int64_t number) {
    auto st = m_statements.Use(sql);
    if (!st.ok()) {
        failQuery();
        return 0;
    }
    st->Bind(1, service);
    if (text)
        st->Bind(2, text->str());
    else
        st->Bind(2, number);
    if (!st->Step()) {
        failQuery();
        return 0;
    }
    return st->ColumnInt(0);
}

std::vector<CHeadlineTable> NewsStore::DayKeys(BYTE service, std::int32_t day) {
    return keys(
        "SELECT time, serial FROM headline WHERE service = ?1 AND day = ?2 "
        "ORDER BY time DESC, serial DESC",
        service, nullptr, day);
}

std::vector<CHeadlineTable> NewsStore::CategoryKeys(BYTE service, const CString& categoryId) {
    return keys(
        "SELECT time, serial FROM headline WHERE service = ?1 AND category = ?2 "
        "ORDER BY time DESC, serial DESC",
        service, &categoryId, 0);
}

std::vector<CHeadlineTable> NewsStore::SymbolKeys(BYTE service, const CString& symbolId) {
    return keys(
        "SELECT time, serial FROM headline_symbol WHERE service = ?1 AND symbol = ?2 "
        "ORDER BY time DESC, serial DESC",
        service, &symbolId, 0);
}

std::int64_t NewsStore::CountDayKeys(BYTE service, std::int32_t day) {
    return count("SELECT count(*) FROM headline WHERE service = ?1 AND day = ?2", service, nullptr,
                 day);
}

std::int64_t NewsStore::CountCategoryKeys(BYTE service, const CString& categoryId) {
    return count("SELECT count(*) FROM headline WHERE service = ?1 AND category = ?2", service,
                 &categoryId, 0);
}

std::int64_t NewsStore::CountSymbolKeys(BYTE service, const CString& symbolId) {
    return count("SELECT count(*) FROM headline_symbol WHERE service = ?1 AND symbol = ?2", service,
                 &symbolId, 0);
}

std::optional<StoredHeadline> NewsStore::Headline(const HeadlineId& id) {
    auto st = m_statements.Use(std::string(kHeadlineColumns) +
                               " FROM headline h WHERE h.service = ?1 AND h.day = ?2 AND "
                               "h.serial = ?3");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    bindId(*st, id);
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    return storedHeadline(*st);
}

std::vector<StoredHeadline> NewsStore::HeadlinesBySerial(BYTE service, std::int32_t day,
                                                         std::int32_t first, std::int32_t last) {
    std::vector<StoredHeadline> out;
    auto st = m_statements.Use(std::string(kHeadlineColumns) +
                               " FROM headline h WHERE h.service = ?1 AND h.day = ?2 AND "
                               "h.serial BETWEEN ?3 AND ?4 ORDER BY h.serial");
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, service).Bind(2, day).Bind(3, first).Bind(4, last);
    while (st->Step())
        out.push_back(storedHeadline(*st));
    if (!st->Done())
        failQuery();
    return out;
}

std::optional<StoredStory> NewsStore::Story(const HeadlineId& id) {
    auto st = m_statements.Use(std::string(kHeadlineColumns) +
                               ", s.text FROM headline h LEFT JOIN story s ON s.headline = h.id "
                               "WHERE h.service = ?1 AND h.day = ?2 AND h.serial = ?3");
    if (!st.ok()) {
        failQuery();
        return std::nullopt;
    }
    bindId(*st, id);
    if (!st->Step()) {
        if (!st->Done())
            failQuery();
        return std::nullopt;
    }
    StoredStory out;
    out.headline = storedHeadline(*st).record;
    out.hasStory = !st->ColumnIsNull(8);
    out.text = CString(st->ColumnText(8));
    return out;
}

std::vector<CString> NewsStore::HeadlineSymbols(const HeadlineId& id) {
    std::vector<CString> out;
    auto st = m_statements.Use(
        "SELECT hs.symbol FROM headline h JOIN headline_symbol hs ON hs.headline = h.id "
        "WHERE h.service = ?1 AND h.day = ?2 AND h.serial = ?3 ORDER BY hs.pos");
    if (!st.ok()) {
        failQuery();
        return out;
    }
    bindId(*st, id);
    while (st->Step())
        out.emplace_back(st->ColumnText(0));
    if (!st->Done())
        failQuery();
    return out;
}
