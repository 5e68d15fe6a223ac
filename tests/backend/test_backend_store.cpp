// Opening news stores: new, reopened, cut short, and the documented layout.
// Files that are not sound stores: tests/backend/test_sqlite_open.cpp.
#include <sqlite3.h>

#include <fstream>

#include "BackendTestSupport.h"
#include "TempDir.h"

namespace {

using namespace backend_test;

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
