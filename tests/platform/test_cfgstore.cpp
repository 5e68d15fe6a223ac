// The configuration store: typed round trips in every scope, misses that leave
// the caller's value alone, whole saves, sharing and persistence. Files that
// are not sound stores: tests/backend/test_sqlite_open.cpp.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <cstdlib>

#include "SKQCfgIO2.h"
#include "TempDir.h"
#include "Unprivileged.h"

namespace {

const CString kClass = "SKQNewsCtrlView";
using List = std::vector<CString>;

// Runs SQL on a store file through a connection of its own.
void rawExec(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

class CfgStoreTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<SKQCfgIO2> open(const char* name = "Layout") {
        return std::make_unique<SKQCfgIO2>(CString(dir.str()), CString(name));
    }
};

TEST_F(CfgStoreTest, ValuesOfEveryTypeComeBackAsSavedOnDiskAndInMemory) {
    const List keywords = {"台積電", "", "a,b", "line1\nline2", "\"quoted\"", "x\ty"};
    const int lowest = std::numeric_limits<int>::min();
    const CString big(std::string(100000, 'x') + "尾");
    std::unique_ptr<SKQCfgIO2> stores[] = {open(), SKQCfgIO2::InMemory()};
    for (const auto& store : stores) {
        ASSERT_TRUE(store->IsOpen()) << store->GetError();
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "FocusedTab", 5));
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "Sheet0ServiceCheck52", true));
        EXPECT_TRUE(
            store->SaveViewInfo("新聞一", 3, 7, kClass, "CategoryID", CString("01 財經要聞")));
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "Keyword", keywords));
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "low", lowest));
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "big", big));
        EXPECT_TRUE(store->SaveViewInfo("新聞一", 3, 7, kClass, "none", List{}));

        int tab = -1, low = 0, checkedAsInt = 0;
        bool checked = false, tabAsBool = false;
        CString category, text;
        List read, none = {"stale"};
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "FocusedTab", tab));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "Sheet0ServiceCheck52", checked));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "CategoryID", category));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "Keyword", read));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "low", low));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "big", text));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "none", none));
        // Integers and booleans read as each other.
        EXPECT_TRUE(
            store->GetViewInfo("新聞一", 3, 7, kClass, "Sheet0ServiceCheck52", checkedAsInt));
        EXPECT_TRUE(store->GetViewInfo("新聞一", 3, 7, kClass, "FocusedTab", tabAsBool));
        EXPECT_EQ(tab, 5);
        EXPECT_TRUE(checked);
        EXPECT_EQ(category, "01 財經要聞");
        EXPECT_EQ(read, keywords);
        EXPECT_EQ(low, lowest);
        EXPECT_EQ(text, big);
        EXPECT_TRUE(none.empty()) << "a saved empty list is found, and it is empty";
        EXPECT_EQ(checkedAsInt, 1);
        EXPECT_TRUE(tabAsBool);
    }
}

TEST_F(CfgStoreTest, MissesLeaveTheOutValueUntouched) {
    auto store = open();
    store->SaveViewInfo("v", 1, 2, kClass, "FocusedTab", 4);
    int tab = 99;
    bool flag = true;
    CString text = "keep";
    List list = {"keep"};
    // Every part of the address counts.
    EXPECT_FALSE(store->GetViewInfo("v", 1, 3, kClass, "FocusedTab", tab));
    EXPECT_FALSE(store->GetViewInfo("v", 2, 2, kClass, "FocusedTab", tab));
    EXPECT_FALSE(store->GetViewInfo("w", 1, 2, kClass, "FocusedTab", tab));
    EXPECT_FALSE(store->GetViewInfo("v", 1, 2, "OtherView", "FocusedTab", tab));
    EXPECT_FALSE(store->GetViewInfo("v", 1, 2, kClass, "focusedtab", tab));
    EXPECT_FALSE(store->GetViewInfo("v", 1, 2, kClass, "Missing", flag));
    EXPECT_FALSE(store->GetViewCommonInfo("v", 1, "FocusedTab", tab));
    EXPECT_FALSE(store->GetViewDefaultInfo(kClass, "FocusedTab", list));
    EXPECT_EQ(tab, 99);
    EXPECT_TRUE(flag);
    EXPECT_EQ(list, List{"keep"});
    // A value of another kind is not a text or a list.
    EXPECT_FALSE(store->GetViewInfo("v", 1, 2, kClass, "FocusedTab", text));
    EXPECT_FALSE(store->GetViewInfo("v", 1, 2, kClass, "FocusedTab", list));
    EXPECT_EQ(text, "keep");
    EXPECT_EQ(list, List{"keep"});
}

TEST_F(CfgStoreTest, SavingAgainReplacesTheWholeValue) {
    auto store = open();
    store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", List{"a", "b", "c"});
    store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", List{"z"});
    List list;
    ASSERT_TRUE(store->GetViewInfo("v", 0, 0, kClass, "SearchItems", list));
    EXPECT_EQ(list, List{"z"});
    // A key may change its kind.
    store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", CString("text"));
    CString text;
    EXPECT_TRUE(store->GetViewInfo("v", 0, 0, kClass, "SearchItems", text));
    EXPECT_FALSE(store->GetViewInfo("v", 0, 0, kClass, "SearchItems", list));
    EXPECT_EQ(text, "text");
}

TEST_F(CfgStoreTest, AListSaveThatFailsHalfWayLeavesTheOldListWhole) {
    auto store = open();
    const List old = {"a", "b", "c", "d"};
    ASSERT_TRUE(store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", old));
    // Another connection plants a trigger that fails the third item of a list.
    const std::string path = SKQCfgIO2::FileName(CString(dir.str()), "Layout");
    rawExec(path,
            "CREATE TRIGGER third_item_fails BEFORE INSERT ON setting_item WHEN NEW.pos = 2 "
            "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");

    EXPECT_FALSE(store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", List{"x", "y", "z", "w"}));
    EXPECT_NE(store->GetError().find("injected failure"), std::string::npos) << store->GetError();
    List read;
    ASSERT_TRUE(store->GetViewInfo("v", 0, 0, kClass, "SearchItems", read));
    EXPECT_EQ(read, old);
    ASSERT_TRUE(open()->GetViewInfo("v", 0, 0, kClass, "SearchItems", read));
    EXPECT_EQ(read, old) << "another connection sees the old list too";

    // Nothing of the failed save is left pending: the next one goes through.
    rawExec(path, "DROP TRIGGER third_item_fails");
    EXPECT_TRUE(store->SaveViewInfo("v", 0, 0, kClass, "SearchItems", List{"x", "y", "z"}));
    ASSERT_TRUE(open()->GetViewInfo("v", 0, 0, kClass, "SearchItems", read));
    EXPECT_EQ(read, (List{"x", "y", "z"}));
}

TEST_F(CfgStoreTest, ViewsWithTheSameNameAndKey1ShareCommonValuesThatPersist) {
    auto first = open();
    auto second = open();  // another object on the same file, as a second view may hold
    ASSERT_TRUE(second->IsOpen()) << second->GetError();
    const List warnings = {"cond-1", "cond-2"};
    EXPECT_TRUE(first->SaveViewCommonInfo("新聞", 1, "WarningSearchItems", warnings));
    EXPECT_TRUE(first->SaveViewCommonInfo("新聞", 1, "WarningSearchItemOrder", 3));

    List read;
    int order = 0;
    EXPECT_TRUE(second->GetViewCommonInfo("新聞", 1, "WarningSearchItems", read));
    EXPECT_TRUE(second->GetViewCommonInfo("新聞", 1, "WarningSearchItemOrder", order));
    EXPECT_EQ(read, warnings);
    EXPECT_EQ(order, 3);

    // Another key1 or name is another group; view values never leak into it.
    List other = {"untouched"};
    EXPECT_FALSE(second->GetViewCommonInfo("新聞", 2, "WarningSearchItems", other));
    EXPECT_FALSE(second->GetViewCommonInfo("其他", 1, "WarningSearchItems", other));
    EXPECT_EQ(other, List{"untouched"});
    first->SaveViewInfo("新聞", 1, 0, kClass, "WarningSearchItems", List{"view-only"});
    EXPECT_TRUE(second->GetViewCommonInfo("新聞", 1, "WarningSearchItems", read));
    EXPECT_EQ(read, warnings);

    // Values persist once both are closed.
    first.reset();
    second.reset();
    ASSERT_TRUE(open()->GetViewCommonInfo("新聞", 1, "WarningSearchItems", read));
    EXPECT_EQ(read, warnings);
}

TEST_F(CfgStoreTest, SystemDefaultsLiveInTheSysFolderAndAreReadByOthers) {
    const CString saved = SKQCfgIO2::m_strCurrentDir;
    SKQCfgIO2::m_strCurrentDir = CString(dir.str());
    {
        // Written the way code from the Windows host spells the folder.
        SKQCfgIO2 writer(SKQCfgIO2::m_strCurrentDir + "\\SYS\\", "System");
        ASSERT_TRUE(writer.IsOpen()) << writer.GetError();
        EXPECT_TRUE(writer.SaveViewDefaultInfo(kClass, "RelationSearchItems", List{"r1", "r2"}));
    }
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "SYS" / "System.kqcfg"));
    SKQCfgIO2 reader(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
    List read;
    EXPECT_TRUE(reader.GetViewDefaultInfo(kClass, "RelationSearchItems", read));
    EXPECT_EQ(read, (List{"r1", "r2"}));
    EXPECT_FALSE(reader.GetViewDefaultInfo("OtherClass", "RelationSearchItems", read));
    SKQCfgIO2::m_strCurrentDir = saved;

    // A folder that cannot be made is reported.
    dir.write("blocker", "a file where a folder should be");
    SKQCfgIO2 blocked(CString(dir.file("blocker/inner")), "System");
    EXPECT_FALSE(blocked.IsOpen());
    EXPECT_FALSE(blocked.GetError().empty());
}

TEST_F(CfgStoreTest, DumpListsEveryValue) {
    auto store = open();
    store->SaveViewInfo("v", 1, 2, kClass, "FocusedTab", 6);
    store->SaveViewDefaultInfo(kClass, "WarningSearchItems", List{"a", "b"});
    const auto lines = store->Dump();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("FocusedTab\t6"), std::string::npos);
    EXPECT_NE(lines[1].find("WarningSearchItems\t[a, b]"), std::string::npos);
}

// A store the user may not write, in a folder that cannot be written (no
// write-ahead log files can be made beside it) or in one that can: it is read,
// every save is refused with the reason, and the file stays as it was.
class ReadOnlyStore : public ::testing::TestWithParam<bool> {};

TEST_P(ReadOnlyStore, IsReadButNeverWritten) {
    TempDir dir;
    const std::string path = SKQCfgIO2::FileName(CString(dir.str()), "Layout");
    {
        SKQCfgIO2 writer(CString(dir.str()), "Layout");
        ASSERT_TRUE(writer.SaveViewInfo("v", 0, 0, kClass, "FocusedTab", 2)) << writer.GetError();
    }
    const bool folderWritable = GetParam();
    ::chmod(path.c_str(), 0444);
    ::chmod(dir.str().c_str(), folderWritable ? 0777 : 0555);
    const std::string before = TempDir::read(path);

    const std::string problems = AsUnprivilegedUser([&] {
        std::string found;
        SKQCfgIO2 store(CString(dir.str()), "Layout");
        if (!store.IsOpen() || !store.IsReadOnly())
            return "not opened for reading: " + store.GetError();
        int tab = 0;
        if (!store.GetViewInfo("v", 0, 0, kClass, "FocusedTab", tab) || tab != 2)
            found += "the saved value was not read; ";
        if (store.SaveViewInfo("v", 0, 0, kClass, "FocusedTab", 3))
            found += "a save reported success; ";
        if (store.GetError().find("read-only") == std::string::npos)
            found += "the save's failure is not told: " + store.GetError();
        return found;
    });
    ::chmod(dir.str().c_str(), 0755);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(TempDir::read(path), before);
}

INSTANTIATE_TEST_SUITE_P(Folders, ReadOnlyStore, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "InAWritableFolder" : "InAReadOnlyFolder";
                         });

}  // namespace
