#include "servers/server_address.h"

#include <cstddef>
#include <vector>

namespace skyloom {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isAlnum(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool isIPv4(std::string_view text) {
    const auto parts = split(text, '.');
    if (parts.size() != 4) return false;
    for (const std::string_view part : parts) {
        if (part.empty() || part.size() > 3) return false;
        int value = 0;
        for (const char c : part) {
            if (!isDigit(c)) return false;
            value = value * 10 + (c - '0');
        }
        if (value > 255) return false;
    }
    return true;
}

bool isIPv6(std::string_view text) {
    const size_t gap = text.find("::");
    if (gap != std::string_view::npos && text.find("::", gap + 1) != std::string_view::npos)
        return false;
    size_t groups = 0;
    // Each side of the "::" is a list of hex groups; the last may be an IPv4 address.
    const auto side = [&groups](std::string_view part, bool last) {
        if (part.empty()) return true;
        const auto fields = split(part, ':');
        for (size_t i = 0; i < fields.size(); ++i) {
            const std::string_view f = fields[i];
            if (last && i + 1 == fields.size() && isIPv4(f)) {
                groups += 2;
                continue;
            }
            if (f.empty() || f.size() > 4) return false;
            for (const char c : f)
                if (!isHexDigit(c)) return false;
            ++groups;
        }
        return true;
    };
    if (gap == std::string_view::npos) return side(text, true) && groups == 8;
    return side(text.substr(0, gap), false) && side(text.substr(gap + 2), true) && groups < 8;
}

// Labels of letters, digits, '-' and '_' (some servers' names hold one), none starting or
// ending with '-', separated by dots; a final dot is allowed.
bool isHostName(std::string_view text) {
    if (!text.empty() && text.back() == '.') text.remove_suffix(1);
    if (text.empty() || text.size() > 253) return false;
    bool numeric = true;
    for (const std::string_view label : split(text, '.')) {
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        for (const char c : label) {
            if (!isAlnum(c) && c != '-' && c != '_') return false;
            if (!isDigit(c)) numeric = false;
        }
    }
    // "999.1.1.1" is a mistyped IPv4 address, not a name.
    return !numeric;
}

bool isPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    long value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

}  // namespace

ServerAddressCheck checkServerAddress(std::string_view address, std::string_view port) {
    ServerAddressCheck check;
    std::string_view host = trimmed(address);
    const bool bracketed = host.size() >= 2 && host.front() == '[' && host.back() == ']';
    if (bracketed) host = host.substr(1, host.size() - 2);
    const std::string_view portText = trimmed(port);
    check.server.host = std::string(host);
    const bool hostOk =
        bracketed ? isIPv6(host) : (isIPv4(host) || isIPv6(host) || isHostName(host));
    if (!hostOk)
        check.problem =
            "IP adress: type a host name (such as hl.example.org) or an IPv4 or IPv6 address, "
            "without blanks, quotes or ';'.";
    else if (!isPort(portText))
        check.problem = "Port: type a number from 1 to 65535.";
    else
        check.server.port = static_cast<std::uint16_t>(std::stoi(std::string(portText)));
    return check;
}

std::optional<ServerAddress> parseServerAddress(std::string_view text) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    ServerAddressCheck check = checkServerAddress(text.substr(0, colon), text.substr(colon + 1));
    if (check.problem) return std::nullopt;
    return check.server;
}

std::string formatServerAddress(const ServerAddress& server) {
    const std::string_view address = server.host;
    const bool ipv6 = address.find(':') != std::string_view::npos;
    std::string text(address);
    if (ipv6) text = '[' + text + ']';
    return text + ':' + std::to_string(server.port);
}

}  // namespace skyloom
