// Host services as the module reaches them through the free functions: the
// system folder and its INI files, fonts, colour schemes, the current symbol,
// symbol registration and the context that stands behind all of them.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "CTime.h"
#include "HostApi.h"
#include "HostContext.h"
#include "IniFile.h"
#include "SourceScan.h"

namespace {

const std::string kDataDir = std::string(KQ_SOURCE_DIR) + "/data";

class HostServicesTest : public ::testing::Test {
  protected:
    HostContext context;
    StandardHostServices& services = context.OwnServices();
    ScopedHostContext scope{context};
};

TEST_F(HostServicesTest, SystemFolderHasNoTrailingSeparatorAndScrollbarsFollowTheHost) {
    services.SetSysPath("C:\\Host\\SYS\\");
    EXPECT_EQ(s_PathGetSysPath(0), "C:/Host/SYS");
    services.SetSysPath("/");
    EXPECT_EQ(s_PathGetSysPath(0), "/");
    EXPECT_EQ(s_PathGetSysPath(1), "") << "only the system folder is known";

    EXPECT_FALSE(BK_bIsThinScrollbar());
    services.SetThinScrollbar(true);
    EXPECT_TRUE(BK_bIsThinScrollbar()) << "thin scroll bars follow the host";
}

TEST_F(HostServicesTest, ShippedSiteFilesAreFoundThroughTheSystemFolder) {
    services.SetSysPath(CString(kDataDir + "/sys"));
    const CString app = s_PathGetSysPath(0) + "/Application.ini";
    EXPECT_EQ(GetPrivateProfileInt("NewsCtrlSearchView", "ShowNormalSearch", 0, app.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileInt("newsctrlsearchview", "SHOWWARNINGSEARCH", 0, app.c_str()), 1);
    const CString cat = s_PathGetSysPath(0) + "/NewsService.ini";
    const CString ids = GetPrivateProfileString("CONFIG", "CatId", "", cat.c_str());
    const CString names = GetPrivateProfileString("CONFIG", "SHORTNAME", "", cat.c_str());
    int countIds = 0, countNames = 0, pos = 0;
    while (!ids.Tokenize(" ,\n", pos).IsEmpty())
        ++countIds;
    pos = 0;
    while (!names.Tokenize(" ,\n", pos).IsEmpty())
        ++countNames;
    EXPECT_GT(countIds, 0);
    EXPECT_EQ(countIds, countNames) << "ids and short names must pair up";
}

TEST_F(HostServicesTest, FontsDescribeFaceSizeAndWeight) {
    CFont* normal = SYS_GetCurrentFont(0);
    CFont* second = SYS_GetCurrentFont(1);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(SYS_GetCurrentFont(0), normal) << "the host keeps its fonts; callers hold pointers";
    EXPECT_FALSE(normal->GetFaceName().IsEmpty());
    EXPECT_GT(normal->GetPointSize(), 0);
    EXPECT_LT(normal->GetLogFont().lfHeight, 0);
    EXPECT_EQ(SYS_GetCurrentFont(7), normal) << "an unknown kind gets the normal font";

    services.SetFont(0, CFont("Noto Serif CJK TC", 12, 700, 136));
    LOGFONT log;
    ASSERT_GT(SYS_GetCurrentFont(0)->GetLogFont(&log), 0);
    EXPECT_STREQ(log.lfFaceName, "Noto Serif CJK TC");
    EXPECT_EQ(log.lfHeight, -16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(log.lfWeight, 700);
    EXPECT_EQ(log.lfCharSet, 136);
}

TEST(CFontTest, FaceNamesAreCutWithoutSplittingACharacter) {
    // Eleven CJK characters are 33 bytes; only ten fit in 31.
    const CFont font("一二三四五六七八九十壹", 9);
    EXPECT_EQ(font.GetFaceName(), "一二三四五六七八九十");
    CFont copy;
    copy.CreateFontIndirect(font.GetLogFont());
    EXPECT_EQ(copy.GetFaceName(), font.GetFaceName());
    EXPECT_EQ(copy.GetPointSize(), 9);
}

TEST_F(HostServicesTest, ShippedSchemesDefineEveryColourTheCodeUses) {
    std::set<std::string> used =
        KeysUsedInCode(KQ_SOURCE_DIR, std::regex("\"(COLOR_[A-Za-z0-9_]+)\""));
    // The list colours every news grid is painted with.
    for (const char* key :
         {"COLOR_LISTCTL_NORMALTEXT", "COLOR_LISTCTL_BACKGROUND", "COLOR_LISTCTL_BACKGROUNDSLASH",
          "COLOR_LISTCTL_HDBkCOLOR1", "COLOR_LISTCTL_HDTEXTCOLOR1"}) {
        used.insert(key);
    }
    ColorScheme light, dark;
    ASSERT_TRUE(light.Load(kDataDir + "/colors/light.ini"));
    ASSERT_TRUE(dark.Load(kDataDir + "/colors/dark.ini"));
    for (const auto& key : used) {
        EXPECT_TRUE(light.Find(CString(key)).has_value())
            << key << " missing from the light scheme";
        EXPECT_TRUE(dark.Find(CString(key)).has_value()) << key << " missing from the dark scheme";
    }
    EXPECT_NE(light.Get("COLOR_LISTCTL_BACKGROUND"), dark.Get("COLOR_LISTCTL_BACKGROUND"));
    // Text must stand out from both alternating backgrounds.
    for (const ColorScheme* scheme : {&light, &dark}) {
        EXPECT_NE(scheme->Get("COLOR_LISTCTL_NORMALTEXT"), scheme->Get("COLOR_LISTCTL_BACKGROUND"));
        EXPECT_NE(scheme->Get("COLOR_LISTCTL_BACKGROUND"),
                  scheme->Get("COLOR_LISTCTL_BACKGROUNDSLASH"));
    }
}

TEST_F(HostServicesTest, ColoursComeFromTheSchemeAsColorrefs) {
    ASSERT_TRUE(services.Colors().Load(kDataDir + "/colors/light.ini"));
    EXPECT_EQ(SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUNDSLASH"), RGB(0xEE, 0xF3, 0xFA));
    testing::internal::CaptureStderr();
    EXPECT_EQ(SYS_crGetOtherColor("COLOR_NO_SUCH_KEY"), RGB(0, 0, 0));
    EXPECT_EQ(SYS_crGetOtherColor("COLOR_NO_SUCH_KEY"), RGB(0, 0, 0));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("COLOR_NO_SUCH_KEY"), std::string::npos);
    EXPECT_EQ(err.find("COLOR_NO_SUCH_KEY", err.find("COLOR_NO_SUCH_KEY") + 1), std::string::npos);
}

TEST(ColorSchemeTest, ParsesTheColourFormsAndSkipsBadEntries) {
    EXPECT_EQ(ColorScheme::ParseColour("#102030"), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(ColorScheme::ParseColour("a0B0c0"), RGB(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(ColorScheme::ParseColour(" 255, 128 ,0 "), RGB(255, 128, 0));
    EXPECT_FALSE(ColorScheme::ParseColour("#12345").has_value());
    EXPECT_FALSE(ColorScheme::ParseColour("#12345G").has_value());
    EXPECT_FALSE(ColorScheme::ParseColour("256,0,0").has_value());
    EXPECT_FALSE(ColorScheme::ParseColour("1,2").has_value());
    EXPECT_FALSE(ColorScheme::ParseColour("1,2,3,4").has_value());

    // In a file, bad entries are skipped and a file with none good keeps the scheme.
    const std::string dir = ::testing::TempDir();
    const std::string good = dir + "/kq-good-scheme.ini";
    const std::string bad = dir + "/kq-bad-scheme.ini";
    std::ofstream(good) << "[Colors]\nCOLOR_A=#010203\nCOLOR_B=oops\n";
    std::ofstream(bad) << "[Colors]\nCOLOR_A=nonsense\n";
    ColorScheme scheme;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(scheme.Load(good));
    EXPECT_FALSE(scheme.Load(bad));
    EXPECT_FALSE(scheme.Load(dir + "/kq-missing-scheme.ini"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("COLOR_B"), std::string::npos);
    EXPECT_EQ(scheme.Find("COLOR_A"), RGB(1, 2, 3));
    EXPECT_FALSE(scheme.Find("COLOR_B").has_value());
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

TEST_F(HostServicesTest, CurrentSymbolAndItsAccessor) {
    services.SetCurrentSymbol(CSymbolInfo(16, "2330"));
    CSymbolInfo symbol = SYS_cszGetCurrentSymbol();
    EXPECT_EQ(symbol.m_byMarket, 16);
    EXPECT_EQ(symbol.m_strSecond, "");
    EXPECT_EQ(symbol.GetSymbolID(), "2330");
    EXPECT_EQ(symbol.m_strSecond, "2330") << "the accessor copies the id into the second string";
    const CSymbolInfo service = CSymbolInfo::ForService('4');
    EXPECT_EQ(service.m_byMarket, '4');
    EXPECT_EQ(service.m_bySecond, '4');
    EXPECT_TRUE(service.m_strSymbol.IsEmpty());
}

TEST_F(HostServicesTest, RegistrationsAreRecordedPerWindow) {
    auto* viewA = reinterpret_cast<CWnd*>(0x1000);
    auto* viewB = reinterpret_cast<CWnd*>(0x2000);
    const CSymbolInfo s1 = CSymbolInfo::ForService('1'), s2 = CSymbolInfo::ForService('2');
    C_RegisterSymbol(viewA, {s1, s2}, {}, false);
    C_RegisterSymbol(viewB, {s1}, {}, false);
    C_RegisterSymbol(viewA, {}, {s1}, false);
    C_RegisterSymbol(viewA, {s2}, {}, true);  // registering twice holds it once

    ASSERT_EQ(services.Registrations().size(), 4u);
    EXPECT_EQ(services.Registrations()[2].removed, std::vector<CSymbolInfo>{s1});
    EXPECT_TRUE(services.Registrations()[3].flag);
    EXPECT_EQ(services.RegisteredSymbols(viewA), std::vector<CSymbolInfo>{s2});
    EXPECT_EQ(services.RegisteredSymbols(viewB), std::vector<CSymbolInfo>{s1});
    EXPECT_TRUE(services.HoldsSymbol(viewA, s2));
    EXPECT_FALSE(services.HoldsSymbol(viewA, s1));
    C_RegisterSymbol(viewB, {}, {s1, s2}, false);  // removing what is not held is harmless
    EXPECT_TRUE(services.RegisteredSymbols(viewB).empty());
    EXPECT_FALSE(services.HoldsSymbol(viewB, s1));
}

TEST_F(HostServicesTest, NormalExchangeSymbols) {
    EXPECT_TRUE(bIsNormalTWSESymbolID(16, "2330"));
    EXPECT_TRUE(bIsNormalTWSESymbolID(16, "00631L"));
    EXPECT_TRUE(bIsNormalTWSESymbolID(16, "1101B"));
    EXPECT_FALSE(bIsNormalTWSESymbolID(16, "#001"));
    EXPECT_FALSE(bIsNormalTWSESymbolID(16, "233"));
    EXPECT_FALSE(bIsNormalTWSESymbolID(16, "2330123"));
    EXPECT_FALSE(bIsNormalTWSESymbolID(16, "23a0"));
    EXPECT_FALSE(bIsNormalTWSESymbolID(16, ""));
    EXPECT_FALSE(bIsNormalTWSESymbolID(1, "2330")) << "another market";
}

TEST(HostContextTest, ContextsNestUninstallThemselvesAndHaveReplaceableParts) {
    HostContext& builtIn = HostContext::Current();
    {
        HostContext outer;
        ScopedHostContext outerScope(outer);
        EXPECT_EQ(&HostContext::Current(), &outer);
        {
            HostContext inner;
            ScopedHostContext innerScope(inner);
            EXPECT_EQ(&HostContext::Current(), &inner);
        }
        EXPECT_EQ(&HostContext::Current(), &outer);
    }
    EXPECT_EQ(&HostContext::Current(), &builtIn);
    {
        auto dying = std::make_unique<HostContext>();
        HostContext::Install(dying.get());
        dying.reset();  // a context that goes away never stays installed
        EXPECT_EQ(&HostContext::Current(), &builtIn);
    }

    // Parts can be replaced and restored.
    HostContext context;
    ManualClock clock(1796346000);
    StandardHostServices other;
    other.SetSysPath("/elsewhere");
    context.SetClock(&clock);
    context.SetServices(&other);
    ScopedHostContext scope(context);
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1796346000);
    EXPECT_EQ(s_PathGetSysPath(0), "/elsewhere");
    context.SetServices(nullptr);
    context.OwnServices().SetSysPath("/own");
    EXPECT_EQ(s_PathGetSysPath(0), "/own");
}

}  // namespace
