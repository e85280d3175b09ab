#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace skyloom {

class Settings;
struct ServerNetwork;

struct ListServersOptions {
    std::string game = "valve";         // "valve" or "tfc"
    std::optional<std::string> master;  // HOST:PORT; else [SERVERS] master=, else Valve's
};

// `skyloom --list-servers`: asks the master server (or Steam's Web API with the player's key) for
// the game's servers, queries each, and prints one line per server that answered, fastest
// first: address, name, map, players/max, ping, separated by tabs. Needs no display but an event
// loop. Returns 0 when the list arrived (even empty), 1 when its source did not answer.
int runListServers(const ListServersOptions& options, const Settings& settings,
                   const ServerNetwork& network, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace skyloom
