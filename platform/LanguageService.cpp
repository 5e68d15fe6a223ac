#include "LanguageService.h"

#include <opencc/opencc.h>

#include "IniFile.h"
#include "ReportOnce.h"

struct LanguageService::Converter {
    opencc_t handle = reinterpret_cast<opencc_t>(-1);
    ~Converter() {
        if (handle != reinterpret_cast<opencc_t>(-1))
            opencc_close(handle);
    }
};

LanguageService::LanguageService() = default;
LanguageService::~LanguageService() = default;

std::optional<Language> LanguageService::ParseLanguage(std::string_view name) {
    if (name == "zh_TW" || name == "zh-TW" || name == "tc")
        return Language::TraditionalChinese;
    if (name == "zh_CN" || name == "zh-CN" || name == "sc")
        return Language::SimplifiedChinese;
    if (name == "en" || name == "en_US" || name == "en-US")
        return Language::English;
    return std::nullopt;
}

std::string LanguageService::FileName(Language language) {
    switch (language) {
        case Language::SimplifiedChinese:
            return "zh_CN.ini";
        case Language::English:
            return "en.ini";
        case Language::TraditionalChinese:
            break;
    }
    return "zh_TW.ini";
}

bool LanguageService::Load(const std::string& folder, Language language) {
    return LoadFile(folder + "/" + FileName(language), language);
}

bool LanguageService::LoadFile(const std::string& path, Language language) {
    const IniFile ini = IniFile::Load(path);
    if (!ini.IsLoaded()) {
        ReportOnce("language file " + path + " cannot be read");
        return false;
    }
    std::map<CString, CString> texts;
    for (const auto& key : ini.Keys("Strings"))
        texts[CString(key)] = CString(ini.Get("Strings", key).value_or(""));
    if (texts.empty()) {
        ReportOnce("language file " + path + " has no [Strings] entries");
        return false;
    }
    m_texts = std::move(texts);
    m_language = language;
    return true;
}

CString LanguageService::GetText(const char* key) const {
    if (!key)
        return {};
    const auto it = m_texts.find(CString(key));
    if (it != m_texts.end())
        return it->second;
    ReportOnce(std::string("language: no text for ") + key);
    return CString(key);
}

std::vector<CString> LanguageService::Keys() const {
    std::vector<CString> keys;
    keys.reserve(m_texts.size());
    for (const auto& entry : m_texts)
        keys.push_back(entry.first);
    return keys;
}

bool LanguageService::IsConvertToSimplified(BYTE /*service*/) const {
    return m_language == Language::SimplifiedChinese;
}

bool LanguageService::ConvertToSimplified(const CString& in, CString& out) const {
    std::lock_guard lock(m_converterMutex);
    if (!m_converter && !m_converterFailed) {
        auto converter = std::make_unique<Converter>();
        converter->handle = opencc_open(OPENCC_DEFAULT_CONFIG_TRAD_TO_SIMP);
        if (converter->handle == reinterpret_cast<opencc_t>(-1)) {
            m_converterFailed = true;
            ReportOnce(
                std::string("language: cannot open the Traditional-to-Simplified converter: ") +
                opencc_error());
        } else {
            m_converter = std::move(converter);
        }
    }
    if (!m_converter) {
        out = in;
        return false;
    }
    char* converted = opencc_convert_utf8(m_converter->handle, in.c_str(), in.str().size());
    if (!converted) {
        out = in;
        return false;
    }
    out = CString(converted);
    opencc_convert_utf8_free(converted);
    return true;
}
