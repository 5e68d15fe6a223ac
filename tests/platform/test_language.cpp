// The language service: texts by key in three languages, the fallback for a
// missing key, Traditional-to-Simplified conversion, and the shipped files
// holding every key the code uses.
#include <gtest/gtest.h>

#include <regex>

#include "HostApi.h"
#include "HostContext.h"
#include "IniFile.h"
#include "SourceScan.h"
#include "TempDir.h"

namespace {

const std::string kLangDir = std::string(KQ_SOURCE_DIR) + "/data/lang";
const Language kAll[] = {Language::TraditionalChinese, Language::SimplifiedChinese,
                         Language::English};

std::vector<std::string> fileKeys(Language language) {
    return IniFile::Load(kLangDir + "/" + LanguageService::FileName(language)).Keys("Strings");
}

TEST(LanguageFiles, AllThreeHoldTheSameKeysWithTextInTheirOwnLanguage) {
    const auto reference = fileKeys(Language::TraditionalChinese);
    ASSERT_GT(reference.size(), 90u);
    const char* const allNews[] = {"全部新聞", "全部新闻", "All News"};
    for (int i = 0; i < 3; ++i) {
        const Language language = kAll[i];
        const auto keys = fileKeys(language);
        EXPECT_EQ(keys, reference) << LanguageService::FileName(language);
        LanguageService service;
        ASSERT_TRUE(service.Load(kLangDir, language));
        for (const auto& key : keys) {
            EXPECT_FALSE(service.GetText(key.c_str()).IsEmpty())
                << key << " in " << LanguageService::FileName(language);
        }
        EXPECT_EQ(service.GetText("IDS_NEWSCTRLVIEW_STRING_ALL_NEWS"), allNews[i]);
    }
    // A quoted value keeps the blank that code relies on when it appends to it.
    LanguageService tc;
    ASSERT_TRUE(tc.Load(kLangDir, Language::TraditionalChinese));
    EXPECT_EQ(tc.GetText("IDS_NEWSCTRLVIEW_STRING_FILE_FILTER").Right(1), " ");
}

TEST(LanguageFiles, EveryKeyUsedInCodeIsInEveryFile) {
    const auto used = KeysUsedInCode(KQ_SOURCE_DIR, std::regex("\"(IDS_[A-Za-z0-9_\\-]+)\""));
    for (Language language : kAll) {
        LanguageService service;
        ASSERT_TRUE(service.Load(kLangDir, language));
        for (const auto& key : used) {
            EXPECT_TRUE(service.HasText(CString(key)))
                << key << " missing from " << LanguageService::FileName(language);
        }
    }
}

TEST(LanguageService, MissingKeyGivesTheKeyAndIsReportedOnce) {
    LanguageService service;
    service.SetText("IDS_PRESENT", "有");
    testing::internal::CaptureStderr();
    EXPECT_EQ(service.GetText("IDS_PRESENT"), "有");
    EXPECT_EQ(service.GetText("IDS_NOT_THERE_AT_ALL"), "IDS_NOT_THERE_AT_ALL");
    EXPECT_EQ(service.GetText("IDS_NOT_THERE_AT_ALL"), "IDS_NOT_THERE_AT_ALL");
    const std::string err = testing::internal::GetCapturedStderr();
    const auto first = err.find("IDS_NOT_THERE_AT_ALL");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(err.find("IDS_NOT_THERE_AT_ALL", first + 1), std::string::npos) << err;
    EXPECT_EQ(service.GetText(nullptr), "");
}

TEST(LanguageService, AMissingFileKeepsWhatWasLoaded) {
    TempDir dir;
    LanguageService service;
    ASSERT_TRUE(service.Load(kLangDir, Language::English));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(service.Load(dir.str(), Language::SimplifiedChinese));
    dir.write("zh_TW.ini", "[Other]\nX=1\n");
    EXPECT_FALSE(service.Load(dir.str(), Language::TraditionalChinese));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(service.GetLanguage(), Language::English);
    EXPECT_EQ(service.GetText("IDS_NEWSCTRLVIEW_STRING_SEARCH"), "Search");
}

TEST(LanguageService, ConvertsToSimplifiedForASimplifiedInterfaceOnly) {
    LanguageService service;
    CString out = "stale";
    ASSERT_TRUE(service.ConvertToSimplified("臺灣積體電路製造公司發布營收報告", out));
    EXPECT_EQ(out, "台湾积体电路制造公司发布营收报告");
    // Text with nothing to convert, and text mixed with ASCII, come through whole.
    ASSERT_TRUE(service.ConvertToSimplified("2330 TSMC 09:00:01", out));
    EXPECT_EQ(out, "2330 TSMC 09:00:01");
    ASSERT_TRUE(service.ConvertToSimplified("", out));
    EXPECT_EQ(out, "");

    // Only a Simplified interface asks for the conversion.
    service.SetLanguage(Language::TraditionalChinese);
    EXPECT_FALSE(service.IsConvertToSimplified('1'));
    service.SetLanguage(Language::English);
    EXPECT_FALSE(service.IsConvertToSimplified('1'));
    service.SetLanguage(Language::SimplifiedChinese);
    EXPECT_TRUE(service.IsConvertToSimplified('1'));
    EXPECT_TRUE(service.IsConvertToSimplified('4'));

    EXPECT_EQ(LanguageService::ParseLanguage("zh_TW"), Language::TraditionalChinese);
    EXPECT_EQ(LanguageService::ParseLanguage("zh-CN"), Language::SimplifiedChinese);
    EXPECT_EQ(LanguageService::ParseLanguage("en"), Language::English);
    EXPECT_FALSE(LanguageService::ParseLanguage("fr").has_value());
}

TEST(LanguageService, FreeFunctionsUseTheInstalledContext) {
    HostContext context;
    ASSERT_TRUE(context.OwnLanguage().Load(kLangDir, Language::SimplifiedChinese));
    ScopedHostContext scope(context);
    EXPECT_EQ(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SEARCH"), "搜索");
    const BYTE service = '1';
    EXPECT_TRUE(s_LangIsConvertToSimplified(service));
    CString out;
    s_LangConvertToSimplifiedChinese("新聞內容", out);
    EXPECT_EQ(out, "新闻内容");
}

}  // namespace
