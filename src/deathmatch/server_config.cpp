#include "deathmatch/server_config.h"

#include <string_view>
#include <utility>

namespace skyloom {

std::optional<ServerSettingsProblem> checkServerSettings(const ServerSettings& s) {
    // Only a single blank counts as "nothing typed" in the last three rules: an emptied field or
    // two blanks pass, as they always have.
    if (s.partyname.empty())
        return ServerSettingsProblem{"You must specify your party name", "Skyloom"};
    if (s.password && s.passwordvalue.empty())
        return ServerSettingsProblem{"Please type your password or uncheck the password case",
                                     "Error !"};
    if (s.partyname == " ")
        return ServerSettingsProblem{"You MUST type a party name", "Party name"};
    if (s.maxpingvalue == " ")
        return ServerSettingsProblem{"Please specify the maximum ping allowed", "Max ping"};
    if (s.maxplayersvalue == " ")
        return ServerSettingsProblem{"Please define the maximum player allowed", "Max players"};
    return std::nullopt;
}

std::string serverConfigText(const ServerSettings& s) {
    // The number in an option line belongs to the line: the "Disable ..." boxes write a 0. Fall
    // damage writes only mp_falldamage; the game has no plain "falldamage" variable.
    const std::pair<bool, const char*> options[] = {
        {s.dl, "cl_allowdownload 1"},
        {s.ul, "cl_allowupload 1"},
        {s.falldamage, "mp_falldamage 0"},
        {s.mp_autocrosshair, "mp_autocrosshair 0"},
        {s.mp_flashlight, "mp_flashlight 1"},
        {s.sv_cheats, "sv_cheats 1"},
        {s.mp_forcerespawn, "mp_forcerespawn 1"},
        {s.mp_footsteps, "mp_footsteps 1"},
        {s.mp_weaponstay, "mp_weaponstay 1"},
        {s.mp_friendlyfire, "mp_friendlyfire 1"},
        {s.chase_active, "chase_active 1"},
        {s.cl_download_ingame, "cl_download_ingame 0"},
    };
    std::string text;
    const auto line = [&text](std::string_view command, std::string_view value = {}) {
        text.append(command).append(value).append("\r\n");
    };
    for (const auto& [ticked, command] : options)
        if (ticked) line(command);
    line("mp_fraglimit ", s.fraglimitvalue);
    line("maxplayers ", s.maxplayersvalue);
    line("sv_gravity ", s.sv_gravityvalue);
    line("sv_maxspectators ", s.maxspectatorsvalue);
    line("hostname ", s.partyname);
    if (s.password) line("sv_password ", s.passwordvalue);
    return text;
}

}  // namespace skyloom
