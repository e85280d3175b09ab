#include "settings/profile_encoding.h"

#include <cstdint>

#include "platform/utf8.h"

namespace skyloom {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    auto unit = [&](size_t i) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        // A lone surrogate cannot be UTF-8; the writer refuses such a file rather than mend it.
        if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> encodeUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2 + 2);
    out += bigEndian ? kUtf16BeMark : kUtf16LeMark;
    auto put = [&](std::uint32_t u) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    while (!text.empty()) {
        const size_t n = utf8CharacterLength(text);
        if (n == 0) return std::nullopt;
        const auto* b = reinterpret_cast<const unsigned char*>(text.data());
        std::uint32_t c = n == 1 ? b[0] : b[0] & (0x7F >> n);
        for (size_t i = 1; i < n; ++i) c = (c << 6) | (b[i] & 0x3F);
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
        text.remove_prefix(n);
    }
    return out;
}

}  // namespace

size_t utf8CharacterLength(std::string_view s) {
    if (s.empty()) return 0;
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    if (b[0] < 0x80) return 1;
    size_t n = 0;
    unsigned char min = 0x80, max = 0xBF;  // the allowed range of the second byte
    if (b[0] >= 0xC2 && b[0] <= 0xDF) {
        n = 2;
    } else if (b[0] >= 0xE0 && b[0] <= 0xEF) {
        n = 3;
        if (b[0] == 0xE0) min = 0xA0;  // no overlong forms
        if (b[0] == 0xED) max = 0x9F;  // no surrogates
    } else if (b[0] >= 0xF0 && b[0] <= 0xF4) {
        n = 4;
        if (b[0] == 0xF0) min = 0x90;
        if (b[0] == 0xF4) max = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < n || b[1] < min || b[1] > max) return 0;
    for (size_t i = 2; i < n; ++i)
        if ((b[i] & 0xC0) != 0x80) return 0;
    return n;
}

size_t utf8PrefixBytes(std::string_view s, size_t characters) {
    size_t pos = 0;
    for (; characters > 0 && pos < s.size(); --characters) {
        const size_t n = utf8CharacterLength(s.substr(pos));
        pos += n == 0 ? 1 : n;
    }
    return pos;
}

ProfileText decodeProfile(std::string_view bytes) {
    if (bytes.substr(0, 3) == kUtf8Mark)
        return {ProfileEncoding::Utf8Mark, std::string(bytes.substr(3))};
    if (bytes.substr(0, 2) == kUtf16LeMark)
        return {ProfileEncoding::Utf16Le, decodeUtf16(bytes.substr(2), false)};
    if (bytes.substr(0, 2) == kUtf16BeMark)
        return {ProfileEncoding::Utf16Be, decodeUtf16(bytes.substr(2), true)};
    return {ProfileEncoding::Plain, std::string(bytes)};
}

std::optional<std::string> encodeProfile(std::string_view text, ProfileEncoding encoding) {
    switch (encoding) {
        case ProfileEncoding::Utf8Mark:
            return std::string(kUtf8Mark) + std::string(text);
        case ProfileEncoding::Utf16Le:
            return encodeUtf16(text, false);
        case ProfileEncoding::Utf16Be:
            return encodeUtf16(text, true);
        case ProfileEncoding::Plain:
            break;
    }
    return std::string(text);
}

}  // namespace skyloom
