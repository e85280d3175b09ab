#pragma once

#include <string_view>

#include "games/start_game.h"
#include "servers/server_address.h"

namespace skyloom {

// The game's path, then "-console +connect " and the server as "address:port" (an IPv6 literal
// in brackets). Only for a server the check accepted.
GameCommand ComposeConnectCommand(std::string_view program, const ServerAddress& server);

}  // namespace skyloom
