#include "servers/server_text.h"

#include <algorithm>
#include <cmath>

#include "platform/utf8.h"

namespace skyloom {
namespace {

// The code point at `i`, which moves past it; U+FFFD for a byte that starts no valid sequence.
char32_t nextCodePoint(std::string_view s, size_t& i) {
    char32_t c = 0;
    const size_t length = decodeUtf8(s.substr(i), c);
    i += length ? length : 1;
    return length ? c : U'\uFFFD';
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

int humanPlayers(const ServerInfo& info) {
    return std::max(info.players - std::max(info.bots, 0), 0);
}

std::string playerCountText(const ServerInfo& info) {
    std::string s = std::to_string(humanPlayers(info)) + '/' + std::to_string(info.maxPlayers);
    if (info.bots > 0)
        s += " \xC2\xB7 " + std::to_string(info.bots) + (info.bots == 1 ? " bot" : " bots");
    return s;
}

std::string queryInfoText(const ServerInfo& info, int pingMs) {
    return "name\t" + oneLineName(info.name) + "\nmap\t" + oneLineName(info.map) + "\nfolder\t" +
           oneLineName(info.folder) + "\nplayers\t" + playerCountText(info) + "\nping\t" +
           std::to_string(pingMs) + " ms\npassword\t" + yesNo(info.password) + "\nvac\t" +
           yesNo(info.vac) + "\n";
}

std::string queryPlayersText(const PlayerList& players) {
    std::string text;
    for (const PlayerEntry& p : players) {
        // Whatever float a server sends (NaN, negative, huge) stays a count of seconds.
        const double s = std::isfinite(p.seconds) ? std::clamp(double{p.seconds}, 0.0, 1e9) : 0.0;
        text += "player\t" + oneLineName(p.name) + '\t' + std::to_string(p.score) + '\t' +
                std::to_string(static_cast<long>(s)) + '\n';
    }
    return text;
}

}  // namespace skyloom
