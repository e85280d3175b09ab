#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// What the Deathmatch Maker's controls hold when one of its writing buttons is clicked. Texts are
// UTF-8, exactly as typed.
struct ServerSettings {
    // The twelve option boxes.
    bool dl = false;
    bool ul = false;
    bool falldamage = false;
    bool mp_autocrosshair = false;
    bool mp_flashlight = false;
    bool sv_cheats = false;
    bool mp_forcerespawn = false;
    bool mp_footsteps = false;
    bool mp_weaponstay = false;
    bool mp_friendlyfire = false;
    bool chase_active = false;
    bool cl_download_ingame = false;

    std::string partyname = "My party - Skyloom";
    std::string maxplayersvalue = "32";
    std::string sv_gravityvalue = "800";
    std::string maxspectatorsvalue = "0";
    std::string fraglimitvalue = "0";
    std::string timelimitvalue = "0";
    std::string maxpingvalue = "500";
    bool password = false;
    std::string passwordvalue;
};

// Why the settings cannot be saved: the message box's text and title.
struct ServerSettingsProblem {
    std::string text;
    std::string title;
};

// The first rule the settings break, in the order the player is told about them; nothing when
// they can be saved. Text fields refuse what would end their quoted value or the console
// command (a quote, CR, LF); numeric fields take only a sign, digits and one decimal point.
std::optional<ServerSettingsProblem> checkServerSettings(const ServerSettings& s);

// The text of `skyloom.cfg`: one console command per line, each ended by CR LF; the party name and
// password in double quotes. Only for settings the check accepted. `keptLines` come first, as
// they were.
std::string serverConfigText(const ServerSettings& s,
                             const std::vector<std::string>& keptLines = {});

// What an earlier `skyloom.cfg` says: the settings its lines set, the defaults where a line is
// missing or holds what the window's field could not, and the lines that are not the window's
// own (other commands, comments), kept as they are for the next save. Only the first 64 KiB and
// 1,000 lines are read.
struct ServerConfigFile {
    ServerSettings settings;
    std::vector<std::string> keptLines;
};
ServerConfigFile readServerConfig(std::string_view bytes);

// Whether the "Max. players" text is a whole number from 1 up.
bool isPlayerCount(std::string_view text);

// The arguments that start the server on `map` for `maxplayers` players (a count). The game takes
// its player count only at start, so it comes on the command line, before the map; `runConfig`
// has the game run `skyloom.cfg` too.
std::vector<std::string> serverStartArguments(std::string_view maxplayers, std::string_view map,
                                              bool runConfig);

// How friends join a server started here: at one of this machine's addresses on its network
// (IPv4, as text), or from the internet once the router forwards the game's UDP port here.
std::string joinText(const std::vector<std::string>& lanAddresses);

}  // namespace skyloom
