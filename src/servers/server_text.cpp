#include "servers/server_text.h"

#include <algorithm>
#include <cmath>

#include "platform/utf8.h"

namespace skyloom {
namespace {

std::string yesNo(bool b) {
    return b ? "yes" : "no";
}

}  // namespace

std::string oneLineName(std::string_view bytes) {
    return oneLine(bytes);
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
    return "name\t" + terminalLine(info.name) + "\nmap\t" + terminalLine(info.map) + "\nfolder\t" +
           terminalLine(info.folder) + "\nplayers\t" + playerCountText(info) + "\nping\t" +
           std::to_string(pingMs) + " ms\npassword\t" + yesNo(info.password) + "\nvac\t" +
           yesNo(info.vac) + "\n";
}

std::string queryPlayersText(const PlayerList& players) {
    std::string text;
    for (const PlayerEntry& p : players) {
        // Whatever float a server sends (NaN, negative, huge) stays a count of seconds.
        const double s = std::isfinite(p.seconds) ? std::clamp(double{p.seconds}, 0.0, 1e9) : 0.0;
        text += "player\t" + terminalLine(p.name) + '\t' + std::to_string(p.score) + '\t' +
                std::to_string(static_cast<long>(s)) + '\n';
    }
    return text;
}

}  // namespace skyloom
