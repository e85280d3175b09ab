#include "servers/server_address.h"

#include <algorithm>
#include <charconv>

namespace skyloom {

std::optional<ServerAddress> checkServerAddress(std::string_view host, std::string_view port) {
    const bool hostOk =
        !host.empty() && host.size() <= 253 && std::all_of(host.begin(), host.end(), [](char c) {
            return static_cast<unsigned char>(c) > ' ' && c != ':' && c != 0x7F;
        });
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (!hostOk || port.empty() || ec != std::errc() || end != port.data() + port.size() ||
        value == 0 || value > 65535)
        return std::nullopt;
    return ServerAddress{std::string(host), static_cast<std::uint16_t>(value)};
}

std::optional<ServerAddress> parseServerAddress(std::string_view text) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return checkServerAddress(text.substr(0, colon), text.substr(colon + 1));
}

std::string formatServerAddress(const ServerAddress& address) {
    return address.host + ':' + std::to_string(address.port);
}

}  // namespace skyloom
