#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

struct ServerAddress {
    std::string host;
    std::uint16_t port = 0;
};

// A host (name or IPv4 address, no blanks) and a port of 1 to 65535 as typed in the fields;
// nothing when either cannot name a server.
std::optional<ServerAddress> checkServerAddress(std::string_view host, std::string_view port);

// "host:port", as favourites keep it.
std::optional<ServerAddress> parseServerAddress(std::string_view text);
std::string formatServerAddress(const ServerAddress& address);

}  // namespace skyloom
