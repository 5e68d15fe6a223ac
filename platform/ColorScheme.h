#pragma once
// A colour scheme of the host: named colours ("COLOR_...") read from an INI
// file whose [Colors] section holds KEY=#RRGGBB (or KEY=r,g,b).
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "CString.h"
#include "WinTypes.h"

class ColorScheme {
  public:
    ColorScheme() = default;

    // False (scheme unchanged) when the file is missing or holds no colour;
    // entries that cannot be read are reported on stderr and skipped.
    bool Load(const std::string& path);
    void Set(const CString& key, COLORREF colour) { m_colours[key] = colour; }

    std::optional<COLORREF> Find(const CString& key) const;
    // The colour, or black when the scheme lacks the key (reported once).
    COLORREF Get(const CString& key) const;

    const std::string& GetName() const { return m_name; }
    std::size_t size() const { return m_colours.size(); }

    // "#RRGGBB", "RRGGBB" or "r,g,b" (0-255 each).
    static std::optional<COLORREF> ParseColour(std::string_view text);

  private:
    std::map<CString, COLORREF> m_colours;
    std::string m_name;
};
