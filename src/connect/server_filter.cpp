#include "connect/server_filter.h"

#include <algorithm>

#include "platform/ascii.h"

namespace skyloom {

namespace {

bool containsFolded(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return asciiLower(a) == asciiLower(b); }) != text.end();
}

}  // namespace

bool passesFilter(const ServerFilter& f, const std::optional<ServerFacts>& s) {
    if (!s) return !f.any();
    return (!f.notEmpty || s->players - s->bots > 0) &&
           (!f.notFull || s->players < s->maxPlayers) && (!f.noPassword || !s->password) &&
           (!f.noBotsOnly || s->bots <= 0 || s->players - s->bots > 0) &&
           (f.map.empty() || containsFolded(s->map, f.map)) &&
           (f.maxPing <= 0 || s->pingMs <= f.maxPing);
}

ServerFilter readServerFilter(const Settings& settings, std::string_view prefix) {
    const auto read = [&](const char* key, const char* def, int max) {
        return settings.read("SERVERS", std::string(prefix) + key, def, max);
    };
    const auto flag = [&](const char* key) { return read(key, "", 8) == "1"; };
    ServerFilter f;
    f.notEmpty = flag("notempty");
    f.notFull = flag("notfull");
    f.noPassword = flag("nopassword");
    f.noBotsOnly = flag("nobotsonly");
    f.map = read("mapfilter", "", 64);
    const std::string ping = read("maxping", "0", 8);
    f.maxPing = std::all_of(ping.begin(), ping.end(), ::isdigit) && !ping.empty()
                    ? std::min(std::stoi(ping), 9999)
                    : 0;
    f.game = read("game", "valve", 8) == "tfc" ? "tfc" : "valve";
    return f;
}

std::vector<std::pair<std::string, std::string>> serverFilterValues(const ServerFilter& f,
                                                                    std::string_view prefix) {
    const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    std::vector<std::pair<std::string, std::string>> values{{"notempty", flag(f.notEmpty)},
                                                            {"notfull", flag(f.notFull)},
                                                            {"nopassword", flag(f.noPassword)},
                                                            {"nobotsonly", flag(f.noBotsOnly)},
                                                            {"mapfilter", f.map},
                                                            {"maxping", std::to_string(f.maxPing)}};
    if (prefix.empty()) values.emplace_back("game", f.game);
    for (auto& [key, value] : values) key.insert(0, prefix);
    return values;
}

}  // namespace skyloom
