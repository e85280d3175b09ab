#pragma once

#include <string>
#include <string_view>

#include "servers/a2s.h"

namespace skyloom {

// A name from a server as one line of valid UTF-8, by the rule of oneLine() (platform/utf8.h).
std::string oneLineName(std::string_view bytes);

// The players who are people: a server counts its bots among its players.
int humanPlayers(const ServerInfo& info);
// The people and the limit, "5/16", then " · 1 bot" or " · 3 bots" when there are any.
std::string playerCountText(const ServerInfo& info);

// The --query lines: name, map, folder, players, ping, password and vac as "key\tvalue"; then,
// told apart as they may come later, "player\tname\tscore\tseconds" per player. Names are
// cut for the terminal (terminalLine()).
std::string queryInfoText(const ServerInfo& info, int pingMs);
std::string queryPlayersText(const PlayerList& players);

}  // namespace skyloom
