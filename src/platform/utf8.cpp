#include "platform/utf8.h"

namespace skyloom {

std::size_t decodeUtf8(std::string_view text, char32_t& c) {
    if (text.empty()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    const std::size_t length = first < 0x80                    ? 1
                               : first >= 0xC2 && first < 0xE0 ? 2
                               : first >= 0xE0 && first < 0xF0 ? 3
                               : first >= 0xF0 && first < 0xF5 ? 4
                                                               : 0;
    if (length == 0 || length > text.size()) return 0;
    c = length == 1 ? first : first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace skyloom

namespace skyloom {

bool hiddenInLine(char32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF ||
           c == 0x034F || c == 0x061C || c == 0x00AD || (c >= 0xE0000 && c <= 0xE007F) ||
           (c >= 0xFFF9 && c <= 0xFFFB);
}

bool breaksLine(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

std::string oneLine(std::string_view bytes) {
    return terminalLine(bytes, std::string_view::npos);
}

std::string terminalLine(std::string_view bytes, std::size_t longest) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t kept = 0, cut = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(bytes.substr(i), c);
        i += length ? length : 1;
        if (!length) c = U'\uFFFD';
        if (hiddenInLine(c)) continue;
        if (++kept == longest) cut = out.size();
        if (kept > longest) {
            out.resize(cut);
            return out + "\u2026";
        }
        appendUtf8(out, breaksLine(c) ? U' ' : c);
    }
    return out;
}

}  // namespace skyloom
