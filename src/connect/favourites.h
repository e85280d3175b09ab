#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "servers/server_address.h"
#include "settings/settings.h"

namespace skyloom {

// The favourite servers: [SERVERS] server1, server2, … as "host:port", read up to the first
// missing key. A value that names no server is skipped; past the limit, keys are only counted.
inline constexpr std::size_t kMaxFavourites = 5000;
struct ServerList {
    std::vector<ServerAddress> servers;
    std::size_t leftOut = 0;
};
ServerList readFavourites(const Settings& settings);

// The key writes that turn `oldCount` favourites into `favourites`: every key of the new list,
// then the removal of the keys left over.
std::vector<std::pair<std::string, std::optional<std::string>>> favouriteWrites(
    std::size_t oldCount, const std::vector<ServerAddress>& favourites);

// How many keys the section holds now, counted as readFavourites counts them.
std::size_t favouriteKeyCount(const Settings& settings);

// The servers joined last, newest first: [RECENT] server1 … server20.
inline constexpr std::size_t kMaxRecent = 20;
std::vector<ServerAddress> readRecent(const Settings& settings);
// The changes to a settings text that put `joined` first, its older place and the 21st server
// gone; made under the settings lock, so two Skyloom joining at once both stay on the list.
std::vector<ProfileChange> recentChanges(std::string_view settingsText,
                                         const ServerAddress& joined);

}  // namespace skyloom
