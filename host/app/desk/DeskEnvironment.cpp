#include "DeskEnvironment.h"

#include <filesystem>

#include "HostApi.h"
#include "HostContext.h"
#include "SKQCfgIO2.h"
#include "ui/CWnd.h"
#include "ui/FrontEnd.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

bool LoadScheme(HostContext& context, const std::string& resourceDir, const std::string& scheme,
                std::string& error) {
    const std::string path = resourceDir + "/colors/" + scheme + ".ini";
    ColorScheme colours;
    if (!colours.Load(path)) {
        error = "cannot load the colour scheme '" + scheme + "' from " + path;
        return false;
    }
    context.OwnServices().Colors() = colours;
    return true;
}

bool ConfigureHost(HostContext& context, const DeskSettings& settings, std::string& error) {
    if (!context.OwnLanguage().Load(settings.resourceDir + "/lang", settings.language)) {
        error = "cannot load the language file " + LanguageService::FileName(settings.language) +
                " from " + settings.resourceDir + "/lang";
        return false;
    }
    if (!LoadScheme(context, settings.resourceDir, settings.scheme, error))
        return false;
    const std::string sys =
        settings.sysDir.empty() ? settings.resourceDir + "/sys" : settings.sysDir;
    std::error_code ec;
    if (!std::filesystem::is_directory(sys, ec)) {
        error = "the system folder " + sys + " does not exist";
        return false;
    }
    context.OwnServices().SetSysPath(CString(sys));
    if (!settings.configDir.empty()) {
        std::filesystem::create_directories(settings.configDir, ec);
        if (!std::filesystem::is_directory(settings.configDir, ec)) {
            error = "cannot make the configuration folder " + settings.configDir;
            return false;
        }
        SKQCfgIO2::m_strCurrentDir = CString(settings.configDir);
    }
    return true;
}

void TellStoreNotOpen(CWnd& owner, const SKQCfgIO2& store) {
    WindowSystem* system = owner.GetWindowSystem();
    if (!system || (store.IsOpen() && !store.IsReadOnly()))
        return;
    const char* key =
        store.IsOpen() ? "IDS_NEWSDESK_STORE_READ_ONLY" : "IDS_NEWSDESK_STORE_NOT_OPEN";
    const CString text = s_LangGetLangString(key) + "\n" + CString(store.GetPath()) + ": " +
                         CString(store.GetError());
    system->GetFrontEnd().Person().MessageBox(
        &owner, text, s_LangGetLangString("IDS_NEWSDESK_TITLE"), MB_OK | MB_ICONEXCLAMATION);
}
