#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// A game server: a host name or an IP literal (an IPv6 one without brackets) and its port.
struct ServerAddress {
    std::string host;
    std::uint16_t port = 0;
    auto operator<=>(const ServerAddress&) const = default;
};

// The trimmed server, or the message that names the field the player has to mend.
struct ServerAddressCheck {
    ServerAddress server;
    std::optional<std::string> problem;
};

// A host name, an IPv4 or an IPv6 literal (bracketed or not), and a port from 1 to 65535. Anything
// else (blanks, quotes, `;`) would become more game arguments or console commands.
ServerAddressCheck checkServerAddress(std::string_view address, std::string_view port);

// "host:port" (an IPv6 literal in brackets), checked as the fields are; the one spelling every
// list keeps, so a typed "027015" finds the listed 27015.
std::optional<ServerAddress> parseServerAddress(std::string_view text);
std::string formatServerAddress(const ServerAddress& server);

}  // namespace skyloom
