// kqdemo: runs the terminal's platform services once and prints what each did:
// site options, category names, texts in the chosen language, the colour
// scheme, the configuration store (a run counter that survives restarts, the
// System defaults), times in the local zone and Big5 handling.
//
//   kqdemo [--data DIR] [--config DIR] [--lang zh_TW|zh_CN|en] [--scheme light|dark]
#include <cstdio>
#include <cstring>
#include <string>

#include "COleDateTime.h"
#include "CodePage.h"
#include "HostApi.h"
#include "HostContext.h"
#include "IniFile.h"
#include "SKQCfgIO2.h"

namespace {

struct Options {
    std::string data = KQ_DATA_DIR;
    std::string config;
    std::string lang = "zh_TW";
    std::string scheme = "light";
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        if (arg == "--data") {
            o.data = argv[++i];
        } else if (arg == "--config") {
            o.config = argv[++i];
        } else if (arg == "--lang") {
            o.lang = argv[++i];
        } else if (arg == "--scheme") {
            o.scheme = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

void section(const char* title) {
    std::printf("\n== %s\n", title);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(
            "usage: kqdemo [--data DIR] [--config DIR] [--lang zh_TW|zh_CN|en] [--scheme "
            "light|dark]\n",
            stderr);
        return 2;
    }
    const auto language = LanguageService::ParseLanguage(options.lang);
    if (!language) {
        std::fprintf(stderr, "kqdemo: unknown language %s (zh_TW, zh_CN or en)\n",
                     options.lang.c_str());
        return 2;
    }

    HostContext host;
    ScopedHostContext installed(host);
    host.OwnServices().SetSysPath(CString(options.data + "/sys"));
    if (!host.OwnLanguage().Load(options.data + "/lang", *language))
        return 1;
    if (!host.OwnServices().Colors().Load(options.data + "/colors/" + options.scheme + ".ini")) {
        std::fprintf(stderr, "kqdemo: cannot read colour scheme %s\n", options.scheme.c_str());
        return 1;
    }
    if (!options.config.empty())
        SKQCfgIO2::m_strCurrentDir = CString(options.config);

    section("Site options (Application.ini)");
    const CString app = s_PathGetSysPath(0) + "/Application.ini";
    std::printf("system folder      %s\n", s_PathGetSysPath(0).c_str());
    std::printf("ShowNormalSearch   %d\n",
                GetPrivateProfileInt("NewsCtrlSearchView", "ShowNormalSearch", 0, app.c_str()));
    std::printf("ShowWarningSearch  %d\n",
                GetPrivateProfileInt("NewsCtrlSearchView", "ShowWarningSearch", 0, app.c_str()));

    section("Categories (NewsService.ini)");
    const CString cat = s_PathGetSysPath(0) + "/NewsService.ini";
    const CString ids = GetPrivateProfileString("CONFIG", "CatId", "", cat.c_str());
    const CString names = GetPrivateProfileString("CONFIG", "SHORTNAME", "", cat.c_str());
    int idPos = 0, namePos = 0, shown = 0;
    for (;;) {
        const CString id = ids.Tokenize(" ,\n", idPos);
        const CString name = names.Tokenize(" ,\n", namePos);
        if (id.IsEmpty() || name.IsEmpty())
            break;
        std::printf("%s%3s %s", shown % 5 == 0 ? "" : "   ", id.c_str(), name.c_str());
        if (++shown % 5 == 0)
            std::printf("\n");
    }
    if (shown % 5)
        std::printf("\n");

    section("Texts of the user interface");
    for (const char* key :
         {"IDS_NEWSCTRLVIEW_STRING_ALL_NEWS", "IDS_NEWSCTRLVIEW_STRING_CATEGORY_NEWS",
          "IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS", "IDS_NEWSCTRLVIEW_STRING_SEARCH_NEWS",
          "IDS_NEWSCTRLVIEW_STRING_WARRANT_NEWS", "IDS_NEWSCTRLVIEW_STRING_WARNINGSEARCH_NEWS"}) {
        std::printf("%-44s %s\n", key, s_LangGetLangString(key).c_str());
    }
    const CString headline = "臺灣積體電路製造公司十一月營收創歷史新高";
    CString simplified;
    s_LangConvertToSimplifiedChinese(headline, simplified);
    std::printf("headline           %s\nin Simplified      %s (shown so: %s)\n", headline.c_str(),
                simplified.c_str(), s_LangIsConvertToSimplified('1') ? "yes" : "no");

    section("Colour scheme");
    for (const char* key :
         {"COLOR_LISTCTL_BACKGROUND", "COLOR_LISTCTL_BACKGROUNDSLASH", "COLOR_LISTCTL_NORMALTEXT",
          "COLOR_LISTCTL_HDBkCOLOR1", "COLOR_LISTCTL_HDTEXTCOLOR1"}) {
        const COLORREF c = SYS_crGetOtherColor(key);
        std::printf("%-32s #%02X%02X%02X\n", key, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    const CFont* font = SYS_GetCurrentFont(0);
    std::printf("font               %s %dpt weight %d\n", font->GetFaceName().c_str(),
                font->GetPointSize(), font->GetWeight());

    section("Configuration store");
    const CString kClass = "SKQNewsCtrlView";
    SKQCfgIO2 store(SKQCfgIO2::m_strCurrentDir, "Layout");
    if (!store.IsOpen()) {
        std::fprintf(stderr, "kqdemo: %s\n", store.GetError().c_str());
        return 1;
    }
    int runs = 0;
    store.GetViewInfo("Demo", 1, 1, kClass, "RunCount", runs);
    ++runs;
    store.SaveViewInfo("Demo", 1, 1, kClass, "RunCount", runs);
    std::printf("store              %s\nruns so far        %d\n", store.GetPath().c_str(), runs);
    {
        SKQCfgIO2 system(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        std::vector<CString> defaults;
        if (!system.GetViewDefaultInfo(kClass, "WarningSearchItems", defaults)) {
            std::printf("System defaults    none yet in %s (write them with kqcfg)\n",
                        system.GetPath().c_str());
        } else {
            std::printf("System defaults    %zu warning conditions\n", defaults.size());
        }
    }

    section("Time");
    const CTime now = CTime::GetCurrentTime();
    const COleDateTime today = COleDateTime::GetCurrentTime().DateOnly();
    const COleDateTime weekAgo = today - COleDateTimeSpan(7, 0, 0, 0);
    std::printf("now (local)        %s\n", now.Format("%Y/%m/%d %H:%M:%S %Z").c_str());
    std::printf("news date          %d\nsearch window from %d\n", now.GetDateNumber(),
                weekAgo.GetDateNumber());

    section("Code pages");
    const auto big5 = codepage::Utf8ToCp950(headline.str());
    std::printf("Big5 bytes         %zu (UTF-8 %d)\n", big5 ? big5->size() : 0,
                headline.GetLength());
    std::printf("round trip         %s\n",
                big5 && codepage::Cp950ToUtf8(*big5) == headline.str() ? "exact" : "FAILED");
    std::printf("first 20 columns   %.*s\n",
                static_cast<int>(codepage::CutToWidth(headline.str(), 20).size()),
                codepage::CutToWidth(headline.str(), 20).data());
    return 0;
}
