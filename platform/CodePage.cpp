#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace codepage {

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0 when the
// first byte does not begin one (overlong forms and surrogates are refused).
int validSequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80)
        return 1;
    int length = 0;
    std::uint32_t cp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0Fu;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07u;
    } else {
        return 0;
    }
    if (static_cast<int>(text.size()) < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF)
        return 0;
    return length;
}

class Iconv {
  public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

  private:
    iconv_t m_cd;
};

// Converts as much as possible; on a sequence it cannot convert, appends
// `replacement`, skips `skip` bytes of input and goes on.
std::string convert(std::string_view text, const char* to, const char* from,
                    std::string_view replacement, std::size_t skipOnError, bool* failed) {
    Iconv cd(to, from);
    if (!cd.ok()) {
        if (failed)
            *failed = true;
        return {};
    }
    std::string out;
    out.reserve(text.size() * 3 / 2 + 4);
    std::vector<char> buffer(4096);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        // Taken before the append, which may allocate and so touch errno.
        const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
        out.append(buffer.data(), buffer.size() - outLeft);
        if (error == 0 || error == E2BIG)
            continue;
        // EILSEQ or EINVAL (a truncated sequence at the end): replace and skip.
        out.append(replacement);
        const std::size_t skip =
            skipOnError == 0 ? static_cast<std::size_t>(std::max(1, CharLength({in, inLeft})))
                             : skipOnError;
        const std::size_t n = std::min(skip, inLeft);
        in += n;
        inLeft -= n;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const int n = validSequenceLength(text);
        if (n == 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string Cp950ToUtf8(std::string_view text) {
    return convert(text, "UTF-8", "CP950", "\xEF\xBF\xBD", 1, nullptr);
}

std::optional<std::string> Utf8ToCp950(std::string_view text) {
    if (!IsValidUtf8(text))
        return std::nullopt;
    bool failed = false;
    std::string out = convert(text, "CP950", "UTF-8", "?", 0, &failed);
    if (failed)
        return std::nullopt;
    return out;
}

std::optional<std::string> Utf8ToCp950Exact(std::string_view text, std::string* missing) {
    if (missing)
        missing->clear();
    if (!IsValidUtf8(text))
        return std::nullopt;
    // 0xFF is neither a lead nor a trail byte of CP950, so it marks a loss.
    bool failed = false;
    std::string out = convert(text, "CP950", "UTF-8", "\xFF", 0, &failed);
    if (failed)
        return std::nullopt;
    if (out.find('\xFF') == std::string::npos)
        return out;
    if (missing) {
        for (std::string_view rest = text; !rest.empty();) {
            const auto n = static_cast<std::size_t>(CharLength(rest));
            const std::string_view one = rest.substr(0, n);
            if (convert(one, "CP950", "UTF-8", "\xFF", 0, nullptr).find('\xFF') !=
                std::string::npos) {
                *missing = std::string(one);
                break;
            }
            rest.remove_prefix(n);
        }
    }
    return std::nullopt;
}

std::string DecodeLegacy(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp950ToUtf8(bytes);
}

int CharLength(std::string_view text) {
    if (text.empty())
        return 0;
    const int n = validSequenceLength(text);
    return n == 0 ? 1 : n;
}

int DisplayWidth(std::string_view text) {
    int width = 0;
    while (!text.empty()) {
        const int n = validSequenceLength(text);
        width += (n == 0 || n == 1) ? 1 : 2;
        text.remove_prefix(static_cast<std::size_t>(n == 0 ? 1 : n));
    }
    return width;
}

std::string_view CutToWidth(std::string_view text, int columns) {
    std::size_t bytes = 0;
    int width = 0;
    while (bytes < text.size()) {
        const int n = validSequenceLength(text.substr(bytes));
        const int w = (n == 0 || n == 1) ? 1 : 2;
        if (width + w > columns)
            break;
        width += w;
        bytes += static_cast<std::size_t>(n == 0 ? 1 : n);
    }
    return text.substr(0, bytes);
}

std::string_view CutToBytes(std::string_view text, int bytes) {
    if (bytes <= 0)
        return text.substr(0, 0);
    if (static_cast<std::size_t>(bytes) >= text.size())
        return text;
    std::size_t used = 0;
    while (used < text.size()) {
        const auto n = static_cast<std::size_t>(CharLength(text.substr(used)));
        if (used + n > static_cast<std::size_t>(bytes))
            break;
        used += n;
    }
    return text.substr(0, used);
}

}  // namespace codepage
