#pragma once
// Setting up the host context the views run in: the language, the colour
// scheme, the system folder with the site files, and the configuration
// folder. The terminal and the automation set up the same way.
#include <string>

#include "LanguageService.h"

class CWnd;
class HostContext;
class SKQCfgIO2;

struct DeskSettings {
    std::string resourceDir;  // holds lang/, colors/ and sys/
    Language language = Language::TraditionalChinese;
    std::string scheme = "light";
    std::string sysDir;     // empty: <resourceDir>/sys
    std::string configDir;  // empty: the configuration store's default folder
};

// Configures the context's own language and services; false with the reason.
bool ConfigureHost(HostContext& context, const DeskSettings& settings, std::string& error);
// Loads a colour scheme ("light", "dark") from <resourceDir>/colors.
bool LoadScheme(HostContext& context, const std::string& resourceDir, const std::string& scheme,
                std::string& error);
// Tells the person, by a message box over `owner`, that the configuration
// store could not be opened: the views start on their defaults and nothing
// is saved into it (the file is left as it is); or that it can only be read:
// the views start as saved, but nothing is saved. Tells nothing for a store
// that opened for writing. Call once, at start-up.
void TellStoreNotOpen(CWnd& owner, const SKQCfgIO2& store);
