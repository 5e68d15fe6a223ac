// Opening news stores: new, reopened, and every kind of file that is not a
// sound store of this program — refused with a clear reason, never touched.
#include <sqlite3.h>

#include <fstream>

#include "BackendTestSupport.h"
#include "TempDir.h"

namespace {

using namespace backend_test;

// Runs SQL on a file directly, as another program (or an older or newer
// version of this one) would.
void rawExec(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

class StoreFiles : public BackendTest {
  protected:
    TempDir dir;

    // A store file with a service and `count` headlines, closed again.
    std::string makeStore(const std::string& name, int count = 3) {
        const std::string path = dir.file(name);
        NewsBackend maker;
        EXPECT_TRUE(maker.Open(path)) << maker.Error();
        maker.AddService('1', "財經新聞", "財經", 20240308);
        maker.BeginBulk();
        for (int i = 0; i < count; ++i)
            maker.AddHeadline(
                Item('1', Taipei(2024, 3, 8, 9, 0, i % 60), i + 1, "台積電法說會 營收創新高", "5",
                     {"2330"}, "第一段@@@@第二段內容很長很長"),
                false);
        maker.EndBulk();
        return path;
    }

    // Opens `path` in the test's back-end and expects a refusal that names
    // `reason` and leaves the file as it was.
    void expectRefused(const std::string& path, const std::string& reason) {
        const std::string before = TempDir::read(path);
        EXPECT_FALSE(backend.Open(path));
        EXPECT_NE(backend.Error().find(reason), std::string::npos) << backend.Error();
        EXPECT_NE(backend.Error().find(path), std::string::npos) << backend.Error();
        EXPECT_EQ(TempDir::read(path), before);
        // A closed back-end answers nothing and does not crash.
        std::vector<BYTE> services = {'x'};
        EXPECT_FALSE(NEWS_bGetAllNewsService(services));
        EXPECT_EQ(services, std::vector<BYTE>{'x'});
        std::vector<CHeadlineTable> keys(2);
        bool known = true;
        EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 0);
        EXPECT_TRUE(keys.empty());
        EXPECT_FALSE(known);
        backend.AddService('9', "x", "x", 0);  // a feed that goes on must not hide the reason
        EXPECT_NE(backend.Error().find(reason), std::string::npos) << backend.Error();
        EXPECT_EQ(TempDir::read(path), before);
    }
};

TEST_F(StoreFiles, AMissingFileAndItsFolderAreMadeAndWhatWasStoredIsThereAfterReopening) {
    const std::string path = dir.file("a/b/news.kqnews");
    {
        NewsBackend first;
        ASSERT_TRUE(first.Open(path)) << first.Error();
        first.AddService('1', "財經新聞", "財經", 20240308);
        first.AddCategory('1', "5", "股市");
        first.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 1), 7, "標題", "5", {"2330"}, "內文"),
                          false);
    }
    ASSERT_TRUE(backend.Open(path)) << backend.Error();
    std::vector<BYTE> services;
    ASSERT_TRUE(NEWS_bGetAllNewsService(services));
    EXPECT_EQ(services, std::vector<BYTE>{'1'});
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 2, "2330", known), 1);
    CStory story;
    ASSERT_TRUE(NEWS_bGetStory(story, keys.at(0)));
    EXPECT_EQ(story.strStory, "內文");
}

TEST_F(StoreFiles, ABulkLoadCutShortKeepsWhatItHadLoaded) {
    const std::string path = dir.file("cut.kqnews");
    {
        NewsBackend feeding;
        ASSERT_TRUE(feeding.Open(path)) << feeding.Error();
        feeding.AddService('1', "財經新聞", "財經", 20240308);
        feeding.BeginBulk();
        for (std::uint32_t i = 1; i <= 3; ++i)
            feeding.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 0, 0), i, "載入中", "5"), false);
        // Closed before EndBulk, as when the program is stopped mid-load.
    }
    ASSERT_TRUE(backend.Open(path)) << backend.Error();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 3);
}

TEST_F(StoreFiles, AMissingFileIsAnErrorWhenCreatingIsNotAsked) {
    const std::string path = dir.file("absent.kqnews");
    EXPECT_FALSE(backend.Open(path, NewsBackend::OpenOptions{false, true}));
    EXPECT_NE(backend.Error().find("no such file"), std::string::npos) << backend.Error();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StoreFiles, AnEmptyFileBecomesANewStore) {
    const std::string path = dir.write("empty.kqnews", "");
    ASSERT_TRUE(backend.Open(path)) << backend.Error();
    backend.AddService('1', "財經新聞", "財經", 20240308);
    CString name;
    EXPECT_TRUE(NEWS_bGetFullNameByService(name, '1'));
    EXPECT_EQ(name, "財經新聞");
}

TEST_F(StoreFiles, AStoreOfANewerFormatIsRefusedUntouched) {
    const std::string path = makeStore("newer.kqnews");
    rawExec(path, "PRAGMA user_version = 2");
    expectRefused(path, "newer version");
}

TEST_F(StoreFiles, AStoreOfAnOlderFormatIsRefusedUntouched) {
    const std::string path = dir.file("older.kqnews");
    rawExec(path,
            "PRAGMA application_id = 1263619667; CREATE TABLE headline(service, serial, title);"
            "INSERT INTO headline VALUES(49, 1, 'old');");
    expectRefused(path, "older than any");
}

TEST_F(StoreFiles, AnotherApplicationsDatabaseIsRefusedUntouched) {
    const std::string path = dir.file("other.db");
    rawExec(path, "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
    expectRefused(path, "another application");
}

TEST_F(StoreFiles, AFileThatIsNoDatabaseIsRefusedUntouched) {
    const std::string path = dir.write("notes.kqnews", std::string(8192, 'x') + "台積電\n");
    expectRefused(path, "not a news store");
}

TEST_F(StoreFiles, ADamagedStoreIsRefusedUntouched) {
    const std::string path = makeStore("damaged.kqnews", 3000);
    std::string bytes = TempDir::read(path);
    ASSERT_GT(bytes.size(), 64u * 1024);
    // Scribble over pages in the middle; the header stays sound.
    for (std::size_t i = 20 * 1024; i < 60 * 1024; ++i)
        bytes[i] = static_cast<char>(i * 7);
    dir.write("damaged.kqnews", bytes);
    expectRefused(path, "damaged");
}

TEST_F(StoreFiles, AStoreMissingATableIsRefusedUntouched) {
    const std::string path = makeStore("missing.kqnews");
    rawExec(path, "DROP TABLE story");
    expectRefused(path, "table story is missing");
}

TEST_F(StoreFiles, AFolderIsNotAStore) {
    std::filesystem::create_directories(dir.file("folder.kqnews"));
    EXPECT_FALSE(backend.Open(dir.file("folder.kqnews")));
    EXPECT_NE(backend.Error().find("folder"), std::string::npos) << backend.Error();
}

TEST_F(StoreFiles, EveryTableOfTheStoreIsDocumented) {
    const std::string path = makeStore("layout.kqnews", 1);
    std::ifstream docFile(std::string(KQ_SOURCE_DIR) + "/docs/backend.md");
    const std::string doc((std::istreambuf_iterator<char>(docFile)),
                          std::istreambuf_iterator<char>());
    ASSERT_FALSE(doc.empty());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT name FROM sqlite_schema WHERE type IN ('table', 'index') "
                                 "AND name NOT LIKE 'sqlite_%'",
                                 -1, &st, nullptr),
              SQLITE_OK);
    int names = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        EXPECT_NE(doc.find("`" + name + "`"), std::string::npos) << name << " is not in the doc";
        ++names;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    EXPECT_GE(names, 10);
}

}  // namespace
