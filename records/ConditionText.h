#pragma once
// The field codec behind the string form of search conditions: fields are
// separated by '|'; inside a text field a backslash, a '|', control bytes and
// bytes that are not part of valid UTF-8 are escaped, so the whole string is
// printable UTF-8 on one line, whatever the keywords hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace condition_text {

class FieldWriter {
  public:
    explicit FieldWriter(std::string_view tag) : m_text(tag) {}
    FieldWriter& Text(std::string_view text);
    FieldWriter& Number(std::int64_t value);
    const std::string& Result() const { return m_text; }

  private:
    std::string m_text;
};

// Reads the fields of a string in order. Every read fails (false) once the
// string is malformed or has no field left; the out value is then unchanged.
class FieldReader {
  public:
    explicit FieldReader(std::string_view text) : m_text(text) {}
    bool Text(std::string& out);
    bool Byte(unsigned char& out);
    bool Int32(std::int32_t& out);
    bool Count(std::size_t& out);
    // True when every field has been read.
    bool AtEnd() const { return m_done; }

  private:
    bool number(std::int64_t& out);

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_done = false;
};

// Length of the valid UTF-8 sequence starting at text[0]; 0 when the bytes
// there do not start one (overlong forms and surrogates are not valid).
std::size_t Utf8SequenceLength(std::string_view text);

}  // namespace condition_text
