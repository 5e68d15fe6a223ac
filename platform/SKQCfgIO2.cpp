#include "SKQCfgIO2.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "ReportOnce.h"
#include "Sqlite.h"

namespace {

// Identifies a file as one of our stores ("KQCF") and the layout it has.
constexpr std::int64_t kApplicationId = 0x4B514346;
constexpr std::int64_t kSchemaVersion = 1;

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
    if (!store->m_impl->db.Open(":memory:", true) || !store->m_impl->db.Exec(kSchema) ||
        !store->m_impl->db.Exec("PRAGMA application_id = 1263616838; PRAGMA user_version = 1; "
                                "PRAGMA foreign_keys = ON")) {
        store->fail("cannot create an in-memory store");
        store->m_impl->db.Close();
    }
    return store;
}

SKQCfgIO2::SKQCfgIO2(const CString& folder, const CString& name) : SKQCfgIO2() {
    m_path = FileName(folder, name);
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool existed = fs::exists(m_path, ec);
    if (!existed) {
        const fs::path parent = fs::path(m_path).parent_path();
        if (!parent.empty())
            fs::create_directories(parent, ec);
        if (ec) {
            fail("cannot create folder " + parent.string() + ": " + ec.message());
            return;
        }
    }
    auto& db = m_impl->db;
    if (!db.Open(m_path, !existed)) {
        fail("cannot open: " + db.LastError());
        db.Close();
        return;
    }
    // Nothing is written before the file has proved to be a sound store.
    const auto tables = db.QueryInt("SELECT count(*) FROM sqlite_schema");
    if (!tables) {
        fail("not a configuration store (" + db.LastError() + "); the file is left as it is");
        db.Close();
        return;
    }
    const std::int64_t appId = db.QueryInt("PRAGMA application_id").value_or(0);
    const std::int64_t version = db.QueryInt("PRAGMA user_version").value_or(0);
    if (*tables == 0 && appId == 0) {
        sqlite::Transaction tx(db);
        const bool made = tx.ok() && db.Exec(kSchema) &&
                          db.Exec("PRAGMA application_id = 1263616838") &&
                          db.Exec("PRAGMA user_version = 1") && tx.Commit();
        if (!made) {
            fail("cannot initialise: " + db.LastError());
            db.Close();
            return;
        }
    } else if (appId != kApplicationId) {
        fail(
            "not a configuration store (another application's database); the file is left as it "
            "is");
        db.Close();
        return;
    } else if (version > kSchemaVersion) {
        fail("written by a newer version of the program (format " + std::to_string(version) +
             ", this program reads up to " + std::to_string(kSchemaVersion) +
             "); the file is left as it is");
        db.Close();
        return;
    } else if (version < kSchemaVersion) {
        fail("unknown store format " + std::to_string(version) + "; the file is left as it is");
        db.Close();
        return;
    } else {
        sqlite::Statement check(db, "PRAGMA quick_check");
        const bool sound = check.Step() && check.ColumnText(0) == "ok";
        if (!sound) {
            fail("the store is damaged (" + (check.ok() ? check.ColumnText(0) : db.LastError()) +
                 "); the file is left as it is");
            db.Close();
            return;
        }
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

bool SKQCfgIO2::get(const Address& at, int type, void* out) const {
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
    const std::int64_t id = st.ColumnInt(0);
    const auto stored = static_cast<int>(st.ColumnInt(1));
    // Integers and booleans read as each other; text and lists only as themselves.
    const bool numeric = (stored == kInt || stored == kBool) && (type == kInt || type == kBool);
    if (stored != type && !numeric)
        return false;
    switch (type) {
        case kInt:
            *static_cast<int*>(out) = static_cast<int>(st.ColumnInt(2));
            return true;
        case kBool:
            *static_cast<bool*>(out) = st.ColumnInt(2) != 0;
            return true;
        case kText:
            *static_cast<CString*>(out) = CString(st.ColumnText(2));
            return true;
        case kList: {
            sqlite::Statement items(
                db, "SELECT value FROM setting_item WHERE setting = ?1 ORDER BY pos");
            items.Bind(1, id);
            std::vector<CString> list;
            while (items.Step())
                list.emplace_back(items.ColumnText(0));
            if (!items.Done()) {
                fail("read failed: " + db.LastError());
                return false;
            }
            *static_cast<std::vector<CString>*>(out) = std::move(list);
            return true;
        }
        default:
            return false;
    }
}

bool SKQCfgIO2::save(const Address& at, int type, const void* in) const {
    if (!IsOpen())
        return false;
    std::lock_guard lock(m_impl->mutex);
    const auto& db = m_impl->db;
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
    up.Bind(6, at.name.str()).Bind(7, type);
    switch (type) {
        case kInt:
            up.Bind(8, *static_cast<const int*>(in));
            break;
        case kBool:
            up.Bind(8, *static_cast<const bool*>(in) ? 1 : 0);
            break;
        case kText:
            up.Bind(8, static_cast<const CString*>(in)->str());
            break;
        default:
            up.BindNull(8);
            break;
    }
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
    if (type == kList) {
        sqlite::Statement add(db,
                              "INSERT INTO setting_item(setting, pos, value) VALUES(?1, ?2, ?3)");
        const auto& list = *static_cast<const std::vector<CString>*>(in);
        for (std::size_t i = 0; i < list.size(); ++i) {
            add.Reset();
            add.Bind(1, id).Bind(2, static_cast<std::int64_t>(i)).Bind(3, list[i].str());
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

namespace {
const CString kNone;
}

#define KQ_VIEW_ADDRESS                             \
    Address {                                       \
        kView, view, key1, key2, classKey, valueKey \
    }
#define KQ_COMMON_ADDRESS                        \
    Address {                                    \
        kCommon, scope, key1, 0, kNone, valueKey \
    }
#define KQ_DEFAULT_ADDRESS                        \
    Address {                                     \
        kDefault, kNone, 0, 0, classKey, valueKey \
    }

bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, int& value) const {
    return get(KQ_VIEW_ADDRESS, kInt, &value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, bool& value) const {
    return get(KQ_VIEW_ADDRESS, kBool, &value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, CString& value) const {
    return get(KQ_VIEW_ADDRESS, kText, &value);
}
bool SKQCfgIO2::GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                            const CString& valueKey, std::vector<CString>& value) const {
    return get(KQ_VIEW_ADDRESS, kList, &value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const int& value) const {
    return save(KQ_VIEW_ADDRESS, kInt, &value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const bool& value) const {
    return save(KQ_VIEW_ADDRESS, kBool, &value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const CString& value) const {
    return save(KQ_VIEW_ADDRESS, kText, &value);
}
bool SKQCfgIO2::SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                             const CString& valueKey, const std::vector<CString>& value) const {
    return save(KQ_VIEW_ADDRESS, kList, &value);
}

bool SKQCfgIO2::GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                  int& value) const {
    return get(KQ_COMMON_ADDRESS, kInt, &value);
}
bool SKQCfgIO2::GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                  std::vector<CString>& value) const {
    return get(KQ_COMMON_ADDRESS, kList, &value);
}
bool SKQCfgIO2::SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                   const int& value) const {
    return save(KQ_COMMON_ADDRESS, kInt, &value);
}
bool SKQCfgIO2::SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                                   const std::vector<CString>& value) const {
    return save(KQ_COMMON_ADDRESS, kList, &value);
}

bool SKQCfgIO2::GetViewDefaultInfo(const CString& classKey, const CString& valueKey,
                                   std::vector<CString>& value) const {
    return get(KQ_DEFAULT_ADDRESS, kList, &value);
}
bool SKQCfgIO2::SaveViewDefaultInfo(const CString& classKey, const CString& valueKey,
                                    const std::vector<CString>& value) const {
    return save(KQ_DEFAULT_ADDRESS, kList, &value);
}

#undef KQ_VIEW_ADDRESS
#undef KQ_COMMON_ADDRESS
#undef KQ_DEFAULT_ADDRESS

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
