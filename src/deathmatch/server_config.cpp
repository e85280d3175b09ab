#include "deathmatch/server_config.h"

#include <string_view>
#include <utility>

#include "platform/command_line.h"

namespace skyloom {
namespace {

// `rest` starts with the refused character, named whole: a blank or a line break has no glyph
// to quote.
std::optional<ServerSettingsProblem> refuse(std::string_view field, std::string_view rest) {
    return ServerSettingsProblem{
        std::string(field) + " cannot hold " + nameOfCharacter(rest) + ". Remove it and try again.",
        "Skyloom"};
}

// The console ends a quoted value at a quote and a command at a line break.
std::optional<ServerSettingsProblem> checkQuotable(std::string_view field, std::string_view value) {
    for (size_t i = 0; i < value.size(); ++i)
        if (value[i] == '"' || value[i] == '\r' || value[i] == '\n')
            return refuse(field, value.substr(i));
    return std::nullopt;
}

// An optional sign, digits and one decimal point: anything else could end the command and
// start another. Empty stays allowed.
std::optional<ServerSettingsProblem> checkNumber(std::string_view field, std::string_view value) {
    bool point = false;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c >= '0' && c <= '9') continue;
        if ((c == '-' || c == '+') && i == 0) continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        return refuse(field, value.substr(i));
    }
    return std::nullopt;
}

std::string quoted(std::string_view value) {
    return '"' + std::string(value) + '"';
}

}  // namespace

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
    if (auto p = checkQuotable("Party name", s.partyname)) return p;
    if (s.password)
        if (auto p = checkQuotable("Password", s.passwordvalue)) return p;
    const std::pair<const char*, const std::string*> numbers[] = {
        {"Max. players", &s.maxplayersvalue},      {"Gravity", &s.sv_gravityvalue},
        {"Max spectators", &s.maxspectatorsvalue}, {"Frag limit", &s.fraglimitvalue},
        {"Time limit", &s.timelimitvalue},         {"Max. ping", &s.maxpingvalue},
    };
    for (const auto& [field, value] : numbers)
        if (auto p = checkNumber(field, *value)) return p;
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
    // Unquoted, the console would take only the first word of a name with blanks.
    line("hostname ", quoted(s.partyname));
    if (s.password) line("sv_password ", quoted(s.passwordvalue));
    return text;
}

bool isPlayerCount(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos &&
           text.find_first_not_of('0') != std::string_view::npos;
}

std::vector<std::string> serverStartArguments(std::string_view maxplayers, std::string_view map,
                                              bool runConfig) {
    std::vector<std::string> words{"+deathmatch", "1", "-console", "+maxplayers",
                                   std::string(maxplayers)};
    if (runConfig) words.insert(words.end(), {"+exec", "skyloom.cfg"});
    words.insert(words.end(), {"+map", std::string(map)});
    return words;
}

}  // namespace skyloom
