#include "ColorScheme.h"

#include <charconv>
#include <cstdio>

#include "IniFile.h"
#include "ReportOnce.h"

std::optional<COLORREF> ColorScheme::ParseColour(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() == 6 && text.find(',') == std::string_view::npos) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + 6, value, 16);
        if (ec != std::errc() || end != text.data() + 6)
            return std::nullopt;
        return RGB(static_cast<int>(value >> 16), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>(value & 0xFF));
    }
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parts[i]);
        if (ec != std::errc() || parts[i] < 0 || parts[i] > 255)
            return std::nullopt;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        if (i < 2) {
            if (text.empty() || text.front() != ',')
                return std::nullopt;
            text.remove_prefix(1);
        }
    }
    if (!text.empty())
        return std::nullopt;
    return RGB(parts[0], parts[1], parts[2]);
}

bool ColorScheme::Load(const std::string& path) {
    const IniFile ini = IniFile::Load(path);
    if (!ini.IsLoaded())
        return false;
    std::map<CString, COLORREF> colours;
    for (const auto& key : ini.Keys("Colors")) {
        const auto text = ini.Get("Colors", key);
        const auto colour = text ? ParseColour(*text) : std::nullopt;
        if (!colour) {
            ReportOnce("colour scheme " + path + ": cannot read the colour of " + key);
            continue;
        }
        colours[CString(key)] = *colour;
    }
    if (colours.empty())
        return false;
    m_colours = std::move(colours);
    const auto name = ini.Get("Scheme", "Name");
    m_name = name ? *name : path;
    return true;
}

std::optional<COLORREF> ColorScheme::Find(const CString& key) const {
    const auto it = m_colours.find(key);
    if (it == m_colours.end())
        return std::nullopt;
    return it->second;
}

COLORREF ColorScheme::Get(const CString& key) const {
    if (const auto colour = Find(key))
        return *colour;
    ReportOnce("colour scheme " + m_name + ": no colour for " + key.str());
    return RGB(0, 0, 0);
}
