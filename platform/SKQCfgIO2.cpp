#include "SKQCfgIO2.h"

#include <cstdlib>
#include <mutex>
#include <type_traits>

#include "ReportOnce.h"
#include "Sqlite.h"

namespace {

enum Scope { kView = 0, kCommon = 1, kDefault = 2 };
enum Type { kInt = 1, kBool = 2, kText = 3, kList = 4 };

constexpr const char* kSchema = R"sql(
CREATE TABLE setting(
    id      INTEGER PRIMARY KEY,
    scope   INTEGER NOT NULL,
    owner   TEXT    NOT NULL,
    key1    INTEGER NOT NULL,
    key2    INTEGER NOT NULL,
    class   TEXT    NOT NULL,
    name    TEXT    NOT NULL,
    type    INTEGER NOT NULL,
    value,
    UNIQUE(scope, owner, key1, key2, class, name));
CREATE TABLE setting_item(
    setting INTEGER NOT NULL REFERENCES setting(id) ON DELETE CASCADE,
    pos     INTEGER NOT NULL,
    value   TEXT    NOT NULL,
    PRIMARY KEY(setting, pos)) WITHOUT ROWID;
)sql";

constexpr const char* kLeftAsIs = "; the file is left as it is";
constexpr const char* kReadOnly = "the store cannot be written (read-only): settings are not saved";

// The stored type number of each C++ type the store keeps.
template <typename T>
constexpr Type typeOf() {
    if constexpr (std::is_same_v<T, int>)
        return kInt;
    else if constexpr (std::is_same_v<T, bool>)
        return kBool;
    else if constexpr (std::is_same_v<T, CString>)
        return kText;
    else {
        static_assert(std::is_same_v<T, std::vector<CString>>, "not a type the store keeps");
        return kList;
    }
}

// Integers and booleans read as each other; text and lists only as themselves.
template <typename T>
bool readsAs(std::int64_t stored) {
    constexpr Type wanted = typeOf<T>();
    if (wanted == kInt || wanted == kBool)
        return stored == kInt || stored == kBool;
    return stored == wanted;
}

// A store of the current format holds both tables; one stamped as ours
// without them is not used (nor changed).
std::string missingTable(const sqlite::Database& db) {
    for (const char* name : {"setting", "setting_item"}) {
        sqlite::Statement table(
            db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
        table.Bind(1, std::string_view(name));
        if (!table.Step())
            return db.LastError();
        if (table.ColumnInt(0) != 1)
            return std::string("table ") + name + " is missing";
    }
    return {};
}

sqlite::FileFormat storeFormat() {
    sqlite::FileFormat format;
    format.applicationId = kConfigStoreApplicationId;
    format.version = kConfigStoreFormatVersion;
    format.createSchema = [](const sqlite::Database& db) { return db.Exec(kSchema); };
    format.checkLayout = missingTable;
    format.readOnlyAllowed = true;
    return format;
}

// The reason a file was refused, in the configuration store's words.
std::string refusalText(const sqlite::OpenOutcome& outcome) {
    using sqlite::OpenRefusal;
    const std::string& detail = outcome.detail;
    switch (outcome.refusal) {
        case OpenRefusal::None:
            return {};
        case OpenRefusal::NoSuchFile:
            return "there is no such file";
        case OpenRefusal::CannotMakeFolder:
            return "cannot create folder " + detail;
        case OpenRefusal::Folder:
            return "that is a folder, not a file";
        case OpenRefusal::CannotOpen:
            return "cannot open: " + detail;
        case OpenRefusal::InUse:
            return "the store is in use by another program (" + detail + ")" + kLeftAsIs;
        case OpenRefusal::NotADatabase:
        case OpenRefusal::Unreadable:
            return "not a configuration store (" + detail + ")" + kLeftAsIs;
        case OpenRefusal::Damaged:
            return "the store is damaged (" + detail + ")" + kLeftAsIs;
        case OpenRefusal::Foreign:
            return std::string("not a configuration store (another application's database)") +
                   kLeftAsIs;
        case OpenRefusal::Newer:
            return "written by a newer version of the program (format " +
                   std::to_string(outcome.foundVersion) + ", this program reads up to " +
                   std::to_string(kConfigStoreFormatVersion) + ")" + kLeftAsIs;
        case OpenRefusal::Older:
            return "unknown store format " + std::to_string(outcome.foundVersion) + kLeftAsIs;
        case OpenRefusal::CannotCreate:
            return "cannot initialise: " + detail;
    }
    return "cannot open";
}

std::string defaultConfigDir() {
    if (const char* dir = std::getenv("KQ_CONFIG_DIR"); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/newsdesk";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/newsdesk";
    return "newsdesk-config";
}

std::string toSlashes(std::string path) {
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

const CString kNone;

}  // namespace

CString SKQCfgIO2::m_strCurrentDir = CString(defaultConfigDir());

struct SKQCfgIO2::Address {
    Scope scope;
    const CString& owner;
    int key1;
    int key2;
    const CString& classKey;
    const CString& name;
};

struct SKQCfgIO2::Impl {
    sqlite::Database db;
    // Stores are used from the GUI thread, but a tool may share one; SQLite
    // handles are opened without their own mutex.
    mutable std::mutex mutex;
};

std::string SKQCfgIO2::FileName(const CString& folder, const CString& name) {
    std::string dir = toSlashes(folder.str());
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty())
        dir = ".";
    return dir + "/" + name.str() + ".kqcfg";
}

SKQCfgIO2::SKQCfgIO2() : m_impl(std::make_unique<Impl>()) {}

std::unique_ptr<SKQCfgIO2> SKQCfgIO2::InMemory() {
    std::unique_ptr<SKQCfgIO2> store(new SKQCfgIO2());
    store->m_path = ":memory:";
    auto& db = store->m_impl->db;
    if (!sqlite::OpenVersioned(db, store->m_path, storeFormat()).ok()) {
        store->fail("cannot create an in-memory store");
        return store;
    }
    db.Exec("PRAGMA foreign_keys = ON");
    return store;
}

SKQCfgIO2::SKQCfgIO2(const CString& folder, const CString& name) : SKQCfgIO2() {
    m_path = FileName(folder, name);
    auto& db = m_impl->db;
    const sqlite::OpenOutcome outcome = sqlite::OpenVersioned(db, m_path, storeFormat());
    if (!outcome.ok()) {
        fail(refusalText(outcome));
        return;
    }
    if (outcome.readOnly) {
        m_readOnly = true;
        m_error = kReadOnly;
        return;
    }
    db.Exec("PRAGMA journal_mode = WAL");
    db.Exec("PRAGMA synchronous = FULL");
    db.Exec("PRAGMA foreign_keys = ON");
}

SKQCfgIO2::~SKQCfgIO2() = default;

bool SKQCfgIO2::IsOpen() const {
    return m_impl->db.IsOpen();
}

void SKQCfgIO2::fail(const std::string& message) const {
    m_error = message;
    ReportOnce("configuration store " + m_path + ": " + message);
}

template <typename T>
bool SKQCfgIO2::get(const Address& at, T& out) const {
    if (!IsOpen())
        return false;
    std::lock_guard lock(m_impl->mutex);
    const auto& db = m_impl->db;
    sqlite::Statement st(
        db,
        "SELECT id, type, value FROM setting WHERE scope = ?1 AND owner = ?2 AND key1 = ?3 "
        "AND key2 = ?4 AND class = ?5 AND name = ?6");
    st.Bind(1, at.scope)
        .Bind(2, at.owner.str())
        .Bind(3, at.key1)
        .Bind(4, at.key2)
        .Bind(5, at.classKey.str());
    st.Bind(6, at.name.str());
    if (!st.Step()) {
        if (!st.Done())
            fail("read failed: " + db.LastError());
        return false;
    }
    if (!readsAs<T>(st.ColumnInt(1)))
        return false;
    if constexpr (std::is_same_v<T, int>) {
        out = static_cast<int>(st.ColumnInt(2));
    } else if constexpr (std::is_same_v<T, bool>) {
        out = st.ColumnInt(2) != 0;
    } else if constexpr (std::is_same_v<T, CString>) {
        out = CString(st.ColumnText(2));
    } else {
        sqlite::Statement items(db,
                                "SELECT value FROM setting_item WHERE setting = ?1 ORDER BY pos");
        items.Bind(1, st.ColumnInt(0));
        T list;
        while (items.Step())
            list.emplace_back(items.ColumnText(0));
        if (!items.Done()) {
            fail("read failed: " + db.LastError());
            return false;
        }
        out = std::move(list);
    }
    return true;
}

template <typename T>
bool SKQCfgIO2::save(const Address& at, const T& in) const {
    if (!IsOpen())
        return false;
    if (m_readOnly) {
        fail(kReadOnly);
        return false;
    }
    std::lock_guard lock(m_impl->mutex);
    const auto& db = m_impl->db;
    // The value row, its old items and its new items go in one transaction.
    sqlite::Transaction tx(db);
    if (!tx.ok()) {
        fail("cannot start a save: " + db.LastError());
        return false;
    }
    sqlite::Statement up(db,
                         "INSERT INTO setting(scope, owner, key1, key2, class, name, type, value) "
                         "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) "
                         "ON CONFLICT(scope, owner, key1, key2, class, name) "
                         "DO UPDATE SET type = excluded.type, value = excluded.value RETURNING id");
    up.Bind(1, at.scope)
        .Bind(2, at.owner.str())
        .Bind(3, at.key1)
        .Bind(4, at.key2)
        .Bind(5, at.classKey.str());
    up.Bind(6, at.name.str()).Bind(7, typeOf<T>());
    if constexpr (std::is_same_v<T, int>)
        up.Bind(8, in);
    else if constexpr (std::is_same_v<T, bool>)
        up.Bind(8, in ? 1 : 0);
    else if constexpr (std::is_same_v<T, CString>)
        up.Bind(8, in.str());
    else
        up.BindNull(8);
    if (!up.Step()) {
        fail("save failed: " + db.LastError());
        return false;
    }
    const std::int64_t id = up.ColumnInt(0);
    if (!up.Run()) {
        fail("save failed: " + db.LastError());
        return false;
    }
    sqlite::Statement clear(db, "DELETE FROM setting_item WHERE setting = ?1");
    clear.Bind(1, id);
    if (!clear.Run()) {
        fail("save failed: " + db.LastError());
        return false;
    }
    if constexpr (typeOf<T>() == kList) {
        sqlite::Statement add(db,
                              "INSERT INTO setting_item(setting, pos, value) VALUES(?1, ?2, ?3)");
        for (std::size_t i = 0; i < in.size(); ++i) {
            add.Reset();
            add.Bind(1, id).Bind(2, static_cast<std::int64_t>(i)).Bind(3, in[i].str());
            if (!add.Run()) {
                fail("save failed: " + db.LastError());
                return false;
            }
        }
    }
    if (!tx.Commit()) {
        fail("save failed: " + db.LastError());
        return false;
    }
    return true;
}

bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, int& value) const {
    return get(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, bool& value) const {
    return get(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, CString& value) const {
    return get(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, std::vector<CString>& value) const {
    return get(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const int& value) const {
    return save(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const bool& value) const {
    return save(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const CString& value) const {
    return save(Address{kView, view, key1, key2, classKey, valueKey}, value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const std::vector<CString>& value) const {
    return save(Address{kView, view, key1, key2, classKey, valueKey}, value);
}

// The common scope has no class and no key2.
bool SKQCfgIO2::GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                  int& value) const {
    return get(Address{kCommon, scope, key1, 0, kNone, valueKey}, value);
}
bool SKQCfgIO2::GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                  std::vector<CString>& value) const {
    return get(Address{kCommon, scope, key1, 0, kNone, valueKey}, value);
}
bool SKQCfgIO2::SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                   const int& value) const {
    return save(Address{kCommon, scope, key1, 0, kNone, valueKey}, value);
}
bool SKQCfgIO2::SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                   const std::vector<CString>& value) const {
    return save(Address{kCommon, scope, key1, 0, kNone, valueKey}, value);
}

// The default scope has no owner and no keys.
bool SKQCfgIO2::GetViewDefaultInfo(const CString& classKey, const CString& valueKey,
                                   std::vector<CString>& value) const {
    return get(Address{kDefault, kNone, 0, 0, classKey, valueKey}, value);
}
bool SKQCfgIO2::SaveViewDefaultInfo(const CString& classKey, const CString& valueKey,
                                    const std::vector<CString>& value) const {
    return save(Address{kDefault, kNone, 0, 0, classKey, valueKey}, value);
}

std::vector<std::string> SKQCfgIO2::Dump() const {
    std::vector<std::string> out;
    if (!IsOpen())
        return out;
    std::lock_guard lock(m_impl->mutex);
    static constexpr const char* kScopes[] = {"view", "common", "default"};
    sqlite::Statement st(
        m_impl->db,
        "SELECT id, scope, owner, key1, key2, class, name, type, value FROM setting "
        "ORDER BY scope, owner, key1, key2, class, name");
    while (st.Step()) {
        const auto scope = st.ColumnInt(1);
        std::string line = kScopes[scope >= 0 && scope <= 2 ? scope : 0];
        line += "\t" + st.ColumnText(2) + "\t" + std::to_string(st.ColumnInt(3)) + "\t" +
                std::to_string(st.ColumnInt(4)) + "\t" + st.ColumnText(5) + "\t" +
                st.ColumnText(6) + "\t";
        const auto type = st.ColumnInt(7);
        if (type == kList) {
            sqlite::Statement items(
                m_impl->db, "SELECT value FROM setting_item WHERE setting = ?1 ORDER BY pos");
            items.Bind(1, st.ColumnInt(0));
            line += "[";
            bool first = true;
            while (items.Step()) {
                line += (first ? "" : ", ") + items.ColumnText(0);
                first = false;
            }
            line += "]";
        } else if (type == kBool) {
            line += st.ColumnInt(8) ? "true" : "false";
        } else {
            line += st.ColumnText(8);
        }
        out.push_back(std::move(line));
    }
    return out;
}
