#pragma once
// The host's language service: the text of each "IDS_" key in the user's
// language, and conversion of back-end texts (written in Traditional Chinese)
// to Simplified Chinese when the user interface is in Simplified Chinese.
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CString.h"
#include "WinTypes.h"

enum class Language { TraditionalChinese, SimplifiedChinese, English };

class LanguageService {
  public:
    LanguageService();
    ~LanguageService();
    LanguageService(const LanguageService&) = delete;
    LanguageService& operator=(const LanguageService&) = delete;

    // "zh_TW" (also "zh-TW", "tc"), "zh_CN" ("zh-CN", "sc"), "en".
    static std::optional<Language> ParseLanguage(std::string_view name);
    // The file name of a language in the language folder, e.g. "zh_TW.ini".
    static std::string FileName(Language language);

    // Loads the texts of a language from <folder>/<FileName(language)>. False
    // (texts unchanged) when the file is missing or has no [Strings] entry.
    bool Load(const std::string& folder, Language language);
    // Loads texts from an INI file's [Strings] section and sets the language.
    bool LoadFile(const std::string& path, Language language);
    void SetText(const CString& key, const CString& text) { m_texts[key] = text; }

    Language GetLanguage() const { return m_language; }
    void SetLanguage(Language language) { m_language = language; }

    // The text of a key. A key without text gives the key itself, and the
    // first time that happens it is reported on stderr.
    CString GetText(const char* key) const;
    bool HasText(const CString& key) const { return m_texts.count(key) != 0; }
    std::vector<CString> Keys() const;

    // Whether texts of a news service are shown in Simplified Chinese: they
    // are whenever the user interface is in Simplified Chinese.
    bool IsConvertToSimplified(BYTE service) const;
    // Traditional to Simplified Chinese. When the converter cannot be used,
    // out receives the input unchanged and the result is false.
    bool ConvertToSimplified(const CString& in, CString& out) const;

  private:
    struct Converter;
    std::map<CString, CString> m_texts;
    Language m_language = Language::TraditionalChinese;
    mutable std::mutex m_converterMutex;
    mutable std::unique_ptr<Converter> m_converter;
    mutable bool m_converterFailed = false;
};
