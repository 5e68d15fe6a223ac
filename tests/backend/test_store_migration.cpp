// Stores of an older format: brought up to the current one step by step in
// one transaction, left byte for byte as they were when a step fails, and
// read as they are when they cannot be written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "Sqlite.h"
#include "TempDir.h"
#include "Unprivileged.h"

namespace {

constexpr std::int64_t kId = 0x54455354;  // "TEST"

// A format 3 whose stores keep notes; format 1 had a table of notes only,
// format 2 added their authors, format 3 their dates.
struct Formats {
    std::vector<std::int64_t> steps;  // the steps run, by the format they start from
    bool failAtTwo = false;

    sqlite::FileFormat current() {
        sqlite::FileFormat format;
        format.applicationId = kId;
        format.version = 3;
        format.createSchema = [](const sqlite::Database& db) {
            return db.Exec("CREATE TABLE note(text, author, day)");
        };
        format.oldestMigrated = 1;
        format.migrate = [this](const sqlite::Database& db, std::int64_t from) {
            steps.push_back(from);
            if (from == 2 && failAtTwo)
                return false;
            return db.Exec(from == 1 ? "ALTER TABLE note ADD COLUMN author"
                                     : "ALTER TABLE note ADD COLUMN day");
        };
        return format;
    }
};

void makeFormatOne(const std::string& path) {
    sqlite::Database db;
    ASSERT_TRUE(db.Open(path, true));
    ASSERT_TRUE(db.Exec("PRAGMA application_id = " + std::to_string(kId) +
                        "; PRAGMA user_version = 1;"
                        "CREATE TABLE note(text); INSERT INTO note VALUES('kept')"));
}

TEST(StoreMigration, AnOlderStoreIsBroughtUpStepByStepAndKeepsWhatItHeld) {
    TempDir dir;
    const std::string path = dir.file("old.db");
    ASSERT_NO_FATAL_FAILURE(makeFormatOne(path));
    Formats formats;
    sqlite::Database db;
    const sqlite::OpenOutcome outcome = sqlite::OpenVersioned(db, path, formats.current());
    ASSERT_TRUE(outcome.ok()) << outcome.detail;
    EXPECT_EQ(outcome.foundVersion, 3);
    EXPECT_EQ(formats.steps, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(db.QueryInt("PRAGMA user_version"), 3);
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM note WHERE text = 'kept' AND day IS NULL"), 1);
    // Opened again, nothing is left to do.
    db.Close();
    formats.steps.clear();
    ASSERT_TRUE(sqlite::OpenVersioned(db, path, formats.current()).ok());
    EXPECT_TRUE(formats.steps.empty());
}

TEST(StoreMigration, AFailedStepLeavesTheFileAsItWasAndIsRefused) {
    TempDir dir;
    const std::string path = dir.file("old.db");
    ASSERT_NO_FATAL_FAILURE(makeFormatOne(path));
    const std::string before = TempDir::read(path);
    Formats formats;
    formats.failAtTwo = true;
    sqlite::Database db;
    const sqlite::OpenOutcome outcome = sqlite::OpenVersioned(db, path, formats.current());
    EXPECT_EQ(outcome.refusal, sqlite::OpenRefusal::Unreadable);
    EXPECT_NE(outcome.detail.find("bringing format 1 up to format 3 failed"), std::string::npos)
        << outcome.detail;
    EXPECT_EQ(outcome.foundVersion, 1);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_EQ(TempDir::read(path + "-wal"), "");
}

TEST(StoreMigration, AStoreThatCannotBeWrittenIsReadAtItsOwnFormat) {
    TempDir dir;
    const std::string path = dir.file("old.db");
    ASSERT_NO_FATAL_FAILURE(makeFormatOne(path));
    const std::string before = TempDir::read(path);
    ::chmod(path.c_str(), 0444);
    ::chmod(dir.str().c_str(), 0555);
    const std::string problems = AsUnprivilegedUser([&] {
        Formats formats;
        sqlite::FileFormat format = formats.current();
        format.readOnlyAllowed = true;
        sqlite::Database db;
        const sqlite::OpenOutcome outcome = sqlite::OpenVersioned(db, path, format);
        if (!outcome.ok() || !outcome.readOnly)
            return "not opened for reading: " + outcome.detail;
        std::string found;
        if (outcome.foundVersion != 1)
            found += "format " + std::to_string(outcome.foundVersion) + " told; ";
        if (!formats.steps.empty())
            found += "a step ran; ";
        if (db.QueryInt("SELECT count(*) FROM note") != 1)
            found += "the notes were not read; ";
        return found;
    });
    ::chmod(dir.str().c_str(), 0755);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(TempDir::read(path), before);
}

}  // namespace
