#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings.h"

namespace skyloom {

// One tab's filters over its server list, kept in [SERVERS] under the tab's prefix (none for the
// Internet tab, which also keeps the game its list is for).
struct ServerFilter {
    bool notEmpty = false, notFull = false, noPassword = false, noBotsOnly = false;
    std::string map;  // contained in the map's name, without regard to case
    int maxPing = 0;  // 0: any
    std::string game = "valve";

    bool any() const {
        return notEmpty || notFull || noPassword || noBotsOnly || !map.empty() || maxPing > 0;
    }
};

// What a row shows of a server; nothing when it has not answered.
struct ServerFacts {
    int players = 0, maxPlayers = 0, bots = 0, pingMs = 0;
    bool password = false;
    std::string map;
};

// A server that never answered passes only when no filter is set: nothing is known of it.
// Bots do not make a server "Not empty".
bool passesFilter(const ServerFilter& filter, const std::optional<ServerFacts>& server);

ServerFilter readServerFilter(const Settings& settings, std::string_view prefix);
std::vector<std::pair<std::string, std::string>> serverFilterValues(const ServerFilter& filter,
                                                                    std::string_view prefix);

}  // namespace skyloom
