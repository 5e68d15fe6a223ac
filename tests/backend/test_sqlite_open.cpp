// Both stores open their files the same way: every kind of file that is not a
// sound store is refused by each with the store's own reason and left byte for
// byte as it was; an empty file becomes a new store.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "BackendTestSupport.h"
#include "SKQCfgIO2.h"
#include "TempDir.h"
#include "store/StoreSchema.h"

namespace {

using namespace backend_test;
namespace fs = std::filesystem;

// Runs SQL on a file directly, as another program (or another version of
// this one) would.
// With `keepLog`, the change stays in the write-ahead log beside the file, as
// after a crash before a checkpoint.
void rawExec(const std::string& path, const std::string& sql, bool keepLog = false) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    if (keepLog) {
        ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// A connection that holds the file locked until it goes, as another program
// writing to it would.
class LockHolder {
  public:
    explicit LockHolder(const std::string& path) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &m_db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(m_db, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(m_db);
    }
    ~LockHolder() {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

  private:
    sqlite3* m_db = nullptr;
};

// One store, reached through its public operations only.
class StoreUnderTest {
  public:
    virtual ~StoreUnderTest() = default;
    virtual std::string FileName() const = 0;
    virtual std::int64_t ApplicationId() const = 0;
    virtual std::int64_t FormatVersion() const = 0;
    // One of the tables a store of the current format must hold.
    virtual std::string SomeTable() const = 0;
    // Makes a sound store with some content (well past 64 KiB when large),
    // closed again.
    virtual void Make(const std::string& path, bool large) = 0;
    virtual bool Open(const std::string& path) = 0;
    virtual std::string Error() = 0;
    // A store that did not open answers nothing, takes nothing, and keeps
    // saying why.
    virtual void ExpectClosed(const std::string& path, const std::string& reason) = 0;
    // A store that opened keeps what it is given.
    virtual void ExpectWorking() = 0;
};

class ConfigStore : public StoreUnderTest {
  public:
    std::string FileName() const override { return "Layout.kqcfg"; }
    std::int64_t ApplicationId() const override { return kConfigStoreApplicationId; }
    std::int64_t FormatVersion() const override { return kConfigStoreFormatVersion; }
    std::string SomeTable() const override { return "setting_item"; }

    void Make(const std::string& path, bool large) override {
        ASSERT_TRUE(Open(path)) << Error();
        std::vector<CString> many;
        for (int i = 0; i < (large ? 3000 : 3); ++i)
            many.push_back(CString::Formatted("condition %d with some text", i));
        ASSERT_TRUE(m_store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", many));
        m_store.reset();
    }
    bool Open(const std::string& path) override {
        const fs::path file(path);
        m_store = std::make_unique<SKQCfgIO2>(CString(file.parent_path().string()),
                                              CString(file.stem().string()));
        return m_store->IsOpen();
    }
    std::string Error() override { return m_store->GetError(); }

    void ExpectClosed(const std::string&, const std::string&) override {
        EXPECT_FALSE(m_store->SaveViewInfo("v", 0, 0, kClass, "FocusedTab", 1));
        EXPECT_FALSE(m_store->SaveViewCommonInfo("v", 0, "WarningSearchItems", List{"x"}));
        EXPECT_FALSE(m_store->SaveViewDefaultInfo(kClass, "WarningSearchItems", List{"x"}));
        int tab = 42;
        EXPECT_FALSE(m_store->GetViewInfo("v", 0, 0, kClass, "FocusedTab", tab));
        EXPECT_EQ(tab, 42);
        m_store.reset();
    }
    void ExpectWorking() override {
        EXPECT_TRUE(m_store->SaveViewInfo("v", 0, 0, kClass, "FocusedTab", 1));
        int tab = 0;
        EXPECT_TRUE(m_store->GetViewInfo("v", 0, 0, kClass, "FocusedTab", tab));
        EXPECT_EQ(tab, 1);
    }

  private:
    using List = std::vector<CString>;
    const CString kClass = "SKQNewsCtrlView";
    std::unique_ptr<SKQCfgIO2> m_store;
};

class NewsStoreFile : public StoreUnderTest {
  public:
    NewsStoreFile() : m_clock(Taipei(2024, 3, 8, 10, 0, 0)), m_scope(m_context) {
        m_context.SetClock(&m_clock);
        m_context.SetPart<NewsBackend>(&m_backend);
    }

    std::string FileName() const override { return "news.kqnews"; }
    std::int64_t ApplicationId() const override { return news_store::kApplicationId; }
    std::int64_t FormatVersion() const override { return news_store::kSchemaVersion; }
    std::string SomeTable() const override { return "story"; }

    void Make(const std::string& path, bool large) override {
        NewsBackend maker;
        ASSERT_TRUE(maker.Open(path)) << maker.Error();
        maker.AddService('1', "財經新聞", "財經", 20240308);
        maker.BeginBulk();
        for (int i = 0; i < (large ? 3000 : 3); ++i)
            maker.AddHeadline(
                Item('1', Taipei(2024, 3, 8, 9, 0, i % 60), i + 1, "台積電法說會 營收創新高", "5",
                     {"2330"}, "第一段@@@@第二段內容很長很長"),
                false);
        maker.EndBulk();
    }
    bool Open(const std::string& path) override { return m_backend.Open(path); }
    std::string Error() override { return m_backend.Error(); }

    void ExpectClosed(const std::string& path, const std::string& reason) override {
        EXPECT_NE(Error().find(path), std::string::npos) << Error();
        std::vector<BYTE> services = {'x'};
        EXPECT_FALSE(NEWS_bGetAllNewsService(services));
        EXPECT_EQ(services, std::vector<BYTE>{'x'});
        std::vector<CHeadlineTable> keys(2);
        bool known = true;
        EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 0);
        EXPECT_TRUE(keys.empty());
        EXPECT_FALSE(known);
        m_backend.AddService('9', "x", "x", 0);  // a feed that goes on must not hide the reason
        EXPECT_NE(Error().find(reason), std::string::npos) << Error();
    }
    void ExpectWorking() override {
        m_backend.AddService('1', "財經新聞", "財經", 20240308);
        CString name;
        EXPECT_TRUE(NEWS_bGetFullNameByService(name, '1'));
        EXPECT_EQ(name, "財經新聞");
    }

  private:
    ManualClock m_clock;
    HostContext m_context;
    ScopedHostContext m_scope;
    NewsBackend m_backend;
};

enum class Store { Config, News };

std::unique_ptr<StoreUnderTest> makeStore(Store store) {
    if (store == Store::Config)
        return std::make_unique<ConfigStore>();
    return std::make_unique<NewsStoreFile>();
}

const char* storeName(Store store) {
    return store == Store::Config ? "ConfigStore" : "NewsStore";
}

// --- files that are not sound stores ---------------------------------------

enum class BadFile {
    Foreign,       // another application's database
    Newer,         // ours, written by a newer version
    NewerInLog,    // the same, the change still in the write-ahead log
    Older,         // ours, of a format older than any this program reads
    NotADatabase,  // not SQLite at all
    Damaged,       // ours, pages scribbled over
    Truncated,     // ours, cut short by one byte, no write-ahead log beside it
    MissingTable,  // ours, a table dropped
    SchemaCut,     // ours, the text of a table's definition cut short
    NoTables,      // our id and version stamped on a file without tables
    Folder,        // a folder where the file should be
    Locked,        // ours, held locked by another connection
};

struct Refusal {
    Store store;
    BadFile file;
    const char* reason;  // part of the store's error text
    const char* name;
};

std::ostream& operator<<(std::ostream& out, const Refusal& refusal) {
    return out << storeName(refusal.store) << "/" << refusal.name;
}

class RefusedFile : public ::testing::TestWithParam<Refusal> {
  protected:
    TempDir dir;
    std::unique_ptr<StoreUnderTest> store = makeStore(GetParam().store);
    std::string path = dir.file(store->FileName());
    std::unique_ptr<LockHolder> lock;

    void makeBadFile(BadFile kind) {
        switch (kind) {
            case BadFile::Foreign:
                rawExec(path,
                        "CREATE TABLE customers(id INTEGER, name TEXT);"
                        "INSERT INTO customers VALUES(1, 'x');");
                break;
            case BadFile::Newer:
                store->Make(path, false);
                rawExec(path,
                        "PRAGMA user_version = " + std::to_string(store->FormatVersion() + 1));
                break;
            case BadFile::NewerInLog:
                store->Make(path, false);
                rawExec(path, "PRAGMA user_version = " + std::to_string(store->FormatVersion() + 1),
                        true);
                ASSERT_GT(fs::file_size(path + "-wal"), 32u);
                break;
            case BadFile::Older:
                rawExec(path, "PRAGMA application_id = " + std::to_string(store->ApplicationId()) +
                                  "; CREATE TABLE headline(service, serial, title);"
                                  "INSERT INTO headline VALUES(49, 1, 'old');");
                break;
            case BadFile::NotADatabase: {
                std::string junk = "this is a text file, not a store\n" + std::string(8192, 'x');
                for (int i = 0; i < 200; ++i)
                    junk += static_cast<char>(i * 37);
                dir.write(store->FileName(), junk + "台積電\n");
                break;
            }
            case BadFile::Damaged: {
                store->Make(path, true);
                std::string bytes = TempDir::read(path);
                ASSERT_GT(bytes.size(), 64u * 1024);
                // Scribble over pages in the middle; the header stays sound.
                for (std::size_t i = 20 * 1024; i < 60 * 1024; ++i)
                    bytes[i] = static_cast<char>(i * 7);
                dir.write(store->FileName(), bytes);
                break;
            }
            case BadFile::Truncated: {
                store->Make(path, false);
                ASSERT_FALSE(fs::exists(path + "-wal"));
                fs::resize_file(path, fs::file_size(path) - 1);
                break;
            }
            case BadFile::MissingTable:
                store->Make(path, false);
                rawExec(path, "DROP TABLE " + store->SomeTable());
                break;
            case BadFile::SchemaCut:
                store->Make(path, false);
                rawExec(path,
                        "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = "
                        "substr(sql, 1, 20) WHERE name = '" +
                            store->SomeTable() + "'");
                break;
            case BadFile::NoTables:
                rawExec(path,
                        "PRAGMA application_id = " + std::to_string(store->ApplicationId()) +
                            "; PRAGMA user_version = " + std::to_string(store->FormatVersion()));
                break;
            case BadFile::Folder:
                fs::create_directories(path);
                break;
            case BadFile::Locked:
                store->Make(path, false);
                lock = std::make_unique<LockHolder>(path);
                break;
        }
    }
};

TEST_P(RefusedFile, IsRefusedWithItsReasonAndLeftAsItWas) {
    const Refusal& refusal = GetParam();
    ASSERT_NO_FATAL_FAILURE(makeBadFile(refusal.file));
    const bool folder = fs::is_directory(path);
    const std::string before = folder ? std::string() : TempDir::read(path);
    const std::string logBefore = TempDir::read(path + "-wal");
    const bool logExisted = fs::exists(path + "-wal");
    const bool indexExisted = fs::exists(path + "-shm");

    EXPECT_FALSE(store->Open(path));
    EXPECT_NE(store->Error().find(refusal.reason), std::string::npos) << store->Error();
    store->ExpectClosed(path, refusal.reason);
    // Reading a store kept with a write-ahead log makes a log and an index
    // beside it; a refused file is left alone, without them.
    EXPECT_EQ(fs::exists(path + "-wal"), logExisted);
    EXPECT_EQ(fs::exists(path + "-shm"), indexExisted);

    if (folder) {
        EXPECT_TRUE(fs::is_empty(path));
    } else {
        EXPECT_EQ(TempDir::read(path), before);
        lock.reset();
        EXPECT_EQ(TempDir::read(path), before);
        EXPECT_EQ(TempDir::read(path + "-wal"), logBefore) << "the log is not copied in";
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothStores, RefusedFile,
    ::testing::Values(
        Refusal{Store::Config, BadFile::Foreign,
                "not a configuration store (another application's database)", "Foreign"},
        Refusal{Store::Config, BadFile::Newer, "written by a newer version", "Newer"},
        Refusal{Store::Config, BadFile::NewerInLog, "written by a newer version", "NewerInLog"},
        Refusal{Store::Config, BadFile::Older, "unknown store format 0", "Older"},
        Refusal{Store::Config, BadFile::NotADatabase, "not a configuration store", "NotADatabase"},
        Refusal{Store::Config, BadFile::Damaged, "the store is damaged", "Damaged"},
        Refusal{Store::Config, BadFile::Truncated, "pages make", "Truncated"},
        Refusal{Store::Config, BadFile::MissingTable, "table setting_item is missing",
                "MissingTable"},
        Refusal{Store::Config, BadFile::SchemaCut, "the store is damaged", "SchemaCut"},
        Refusal{Store::Config, BadFile::NoTables, "table setting is missing", "NoTables"},
        Refusal{Store::Config, BadFile::Folder, "that is a folder", "Folder"},
        Refusal{Store::Config, BadFile::Locked, "in use by another program", "Locked"},
        Refusal{Store::News, BadFile::Foreign, "not a news store (another application's database)",
                "Foreign"},
        Refusal{Store::News, BadFile::Newer, "written by a newer version", "Newer"},
        Refusal{Store::News, BadFile::NewerInLog, "written by a newer version", "NewerInLog"},
        Refusal{Store::News, BadFile::Older, "format 0 is older than any", "Older"},
        Refusal{Store::News, BadFile::NotADatabase, "not a news store", "NotADatabase"},
        Refusal{Store::News, BadFile::Damaged, "the store is damaged", "Damaged"},
        Refusal{Store::News, BadFile::Truncated, "pages make", "Truncated"},
        Refusal{Store::News, BadFile::MissingTable, "table story is missing", "MissingTable"},
        Refusal{Store::News, BadFile::SchemaCut, "the store is damaged", "SchemaCut"},
        Refusal{Store::News, BadFile::NoTables, "is missing", "NoTables"},
        Refusal{Store::News, BadFile::Folder, "that is a folder", "Folder"},
        Refusal{Store::News, BadFile::Locked, "in use by another program", "Locked"}),
    [](const ::testing::TestParamInfo<Refusal>& param) {
        return std::string(storeName(param.param.store)) + "_" + param.param.name;
    });

// --- an empty file ----------------------------------------------------------

class NewStore : public ::testing::TestWithParam<Store> {};

TEST_P(NewStore, AnEmptyFileBecomesANewStore) {
    TempDir dir;
    auto store = makeStore(GetParam());
    const std::string path = dir.write(store->FileName(), "");
    ASSERT_TRUE(store->Open(path)) << store->Error();
    store->ExpectWorking();
}

INSTANTIATE_TEST_SUITE_P(BothStores, NewStore, ::testing::Values(Store::Config, Store::News),
                         [](const ::testing::TestParamInfo<Store>& param) {
                             return std::string(storeName(param.param));
                         });

}  // namespace
