#pragma once
// CString: a value string of UTF-8 bytes with the familiar operations. Lengths
// and positions are byte counts; case changes touch ASCII letters only, so
// Chinese text is never altered. The character sets given to FindOneOf, Trim
// and Tokenize are sets of whole characters, Chinese ones included.
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

class CString {
  public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}  // NOLINT: implicit by design
    CString(std::string text) : m_str(std::move(text)) {}   // NOLINT
    CString(std::string_view text) : m_str(text) {}         // NOLINT
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);

    // printf-style formatting; the attribute makes the compiler check the
    // arguments against the format (so a CString must be passed as c_str()).
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    static CString Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }

    const char* c_str() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    operator std::string_view() const { return m_str; }  // NOLINT

    // Searching: -1 when absent. A start beyond the end finds nothing.
    int Find(char ch, int start = 0) const;
    int Find(std::string_view sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(std::string_view charSet) const;

    // Editing; Replace and Remove return how many occurrences they changed.
    int Replace(std::string_view oldText, std::string_view newText);
    int Replace(char oldCh, char newCh);
    int Remove(char ch);
    int Insert(int index, std::string_view text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(std::string_view chars);
    CString& TrimLeft(std::string_view chars);
    CString& TrimRight(std::string_view chars);

    // Sub-strings clamp their arguments to the string, as callers expect.
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    CString& MakeUpper();
    CString& MakeLower();

    // Next token after `start`, skipping any run of delimiters, so no token is
    // ever empty. When none is left: returns empty and sets start to -1.
    CString Tokenize(std::string_view delimiters, int& start) const;

    int Compare(std::string_view other) const;
    int CompareNoCase(std::string_view other) const;

    CString& operator+=(std::string_view text) {
        m_str.append(text);
        return *this;
    }
    CString& operator+=(const CString& text) {
        m_str.append(text.m_str);
        return *this;
    }
    CString& operator+=(const char* text) {
        if (text)
            m_str.append(text);
        return *this;
    }
    CString& operator+=(char ch) {
        m_str.push_back(ch);
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend CString operator+(const CString& a, const char* b) {
        return CString(a.m_str + (b ? b : ""));
    }
    friend CString operator+(const char* a, const CString& b) {
        return CString((a ? a : "") + b.m_str);
    }
    friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
        return a.m_str <=> b.m_str;
    }

  private:
    std::string m_str;
};

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept {
        return std::hash<std::string>{}(s.str());
    }
};
