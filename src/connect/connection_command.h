#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "games/start_game.h"
#include "servers/server_address.h"

namespace skyloom {

// The game's arguments: "-console", the password when the server asks for one ("+password" and
// the password, a secret, before the connect command, the way the game takes them) and
// "+connect" with the server as "address:port" (an IPv6 literal in brackets). Only for a server
// the check accepted and a password passwordProblem() accepts.
GameStart ComposeConnectCommand(const ServerAddress& server,
                                const std::optional<std::string>& password = std::nullopt);

// Why a password cannot go on the game's command line (it would split into more arguments or
// console commands), in words for a message box; nothing when it can.
std::optional<std::string> passwordProblem(std::string_view password);

}  // namespace skyloom
