#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "games/start_game.h"

namespace skyloom {

// A server as typed into an address and a port field, blanks around them trimmed. An IPv6
// literal is held without brackets.
struct ServerAddress {
    std::string host;
    std::string port;
};

// The trimmed server, or the message that names the field the player has to mend.
struct ServerAddressCheck {
    ServerAddress server;
    std::optional<std::string> problem;
};

// A host name, an IPv4 or an IPv6 literal (bracketed or not), and a port from 1 to 65535. Anything
// else (blanks, quotes, `;`) would become more game arguments or console commands.
ServerAddressCheck checkServerAddress(std::string_view address, std::string_view port);

// The game's path, then "-console +connect " and the server as "address:port" (an IPv6 literal
// in brackets). Only for a server the check accepted.
GameCommand ComposeConnectCommand(std::string_view program, std::string_view address,
                                  std::string_view port);

}  // namespace skyloom
