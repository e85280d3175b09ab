#include "servers/server_text.h"

#include <algorithm>
#include <cmath>

namespace skyloom {
namespace {

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

// The code point at `i`, which moves past it; U+FFFD for a byte that starts no valid sequence.
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char lead = byte(i);
    const size_t length = lead < 0x80                   ? 1
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                          : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xF0 && lead < 0xF5 ? 4
                                                        : 0;
    if (length == 0 || s.size() - i < length) {
        ++i;
        return length == 1 ? lead : U'\uFFFD';
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return U'\uFFFD';
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
        ++i;  // overlong, beyond Unicode, or a surrogate
        return U'\uFFFD';
    }
    i += length;
    return c;
}

std::string yesNo(bool b) {
    return b ? "yes" : "no";
}

}  // namespace

std::string oneLineName(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const char32_t c = nextCodePoint(bytes, i);
        if ((c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)) continue;
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029;
        appendUtf8(out, control ? U' ' : c);
    }
    return out;
}

std::string playerCountText(const ServerInfo& info) {
    std::string s = std::to_string(info.players) + '/' + std::to_string(info.maxPlayers);
    if (info.bots == 1) s += " (1 bot)";
    if (info.bots > 1) s += " (" + std::to_string(info.bots) + " bots)";
    return s;
}

std::string queryText(const ServerInfo& info, int pingMs, const PlayerList& players) {
    std::string text = "name\t" + oneLineName(info.name) + "\nmap\t" + oneLineName(info.map) +
                       "\nfolder\t" + oneLineName(info.folder) + "\nplayers\t" +
                       playerCountText(info) + "\nping\t" + std::to_string(pingMs) +
                       " ms\npassword\t" + yesNo(info.password) + "\nvac\t" + yesNo(info.vac) +
                       "\n";
    for (const PlayerEntry& p : players) {
        // Whatever float a server sends (NaN, negative, huge) stays a count of seconds.
        const double s = std::isfinite(p.seconds) ? std::clamp(double{p.seconds}, 0.0, 1e9) : 0.0;
        text += "player\t" + oneLineName(p.name) + '\t' + std::to_string(p.score) + '\t' +
                std::to_string(static_cast<long>(s)) + '\n';
    }
    return text;
}

}  // namespace skyloom
