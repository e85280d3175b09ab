#include "deathmatch/server_config.h"

#include <cctype>
#include <string_view>
#include <tuple>
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

using S = ServerSettings;
const std::pair<bool S::*, std::string_view> kOptionLines[] = {
    {&S::dl, "cl_allowdownload 1"},
    {&S::ul, "cl_allowupload 1"},
    {&S::falldamage, "mp_falldamage 0"},
    {&S::mp_autocrosshair, "mp_autocrosshair 0"},
    {&S::mp_flashlight, "mp_flashlight 1"},
    {&S::sv_cheats, "sv_cheats 1"},
    {&S::mp_forcerespawn, "mp_forcerespawn 1"},
    {&S::mp_footsteps, "mp_footsteps 1"},
    {&S::mp_weaponstay, "mp_weaponstay 1"},
    {&S::mp_friendlyfire, "mp_friendlyfire 1"},
    {&S::chase_active, "chase_active 1"},
    {&S::cl_download_ingame, "cl_download_ingame 0"},
};
// With the most characters each field holds. A time limit of 0 is none, as the game has it.
const std::tuple<std::string_view, std::string S::*, size_t> kValueLines[] = {
    {"mp_fraglimit", &S::fraglimitvalue, 4},         {"mp_timelimit", &S::timelimitvalue, 4},
    {"maxplayers", &S::maxplayersvalue, 3},          {"sv_gravity", &S::sv_gravityvalue, 4},
    {"sv_maxspectators", &S::maxspectatorsvalue, 4},
};

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}

// A double-quoted value without a quote inside, or one bare word.
std::optional<std::string> unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
        if (value.find('"') == std::string_view::npos) return std::string(value);
        return std::nullopt;
    }
    if (value.empty() || value.find_first_of("\" \t") != std::string_view::npos)
        return std::nullopt;
    return std::string(value);
}

// Whether a line is one of the window's own commands; its value is taken when the window's
// field could hold it and the check would pass it, else the field keeps its default.
bool ownLine(std::string_view line, ServerSettings& s) {
    const size_t blank = line.find(' ');
    const std::string_view command = line.substr(0, blank);
    const std::string_view value = blank == line.npos ? "" : line.substr(blank + 1);
    for (const auto& [box, text] : kOptionLines) {
        if (!sameWord(command, text.substr(0, text.find(' ')))) continue;
        if (value == "0" || value == "1") s.*box = value == text.substr(text.size() - 1);
        return true;
    }
    for (const auto& [name, field, length] : kValueLines) {
        if (!sameWord(command, name)) continue;
        if (!value.empty() && value.size() <= length && !checkNumber(name, value))
            s.*field = std::string(value);
        return true;
    }
    const bool host = sameWord(command, "hostname");
    if (!host && !sameWord(command, "sv_password")) return false;
    const std::optional<std::string> text = unquoted(value);
    if (!text || checkQuotable(command, *text)) return true;
    if (host && !text->empty()) s.partyname = *text;
    if (!host && text->size() <= 8) s.password = !text->empty(), s.passwordvalue = *text;
    return true;
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

std::string serverConfigText(const ServerSettings& s, const std::vector<std::string>& keptLines) {
    std::string text;
    for (const std::string& kept : keptLines) text.append(kept).append("\r\n");
    // The number in an option line belongs to the line: the "Disable ..." boxes write a 0. Fall
    // damage writes only mp_falldamage; the game has no plain "falldamage" variable.
    for (const auto& [box, command] : kOptionLines)
        if (s.*box) text.append(command).append("\r\n");
    const auto line = [&text](std::string_view command, std::string_view value = {}) {
        text.append(command).append(value).append("\r\n");
    };
    for (const auto& [command, field, length] : kValueLines)
        line(std::string(command) + ' ', s.*field);
    // Unquoted, the console would take only the first word of a name with blanks.
    line("hostname ", quoted(s.partyname));
    if (s.password) line("sv_password ", quoted(s.passwordvalue));
    return text;
}

ServerConfigFile readServerConfig(std::string_view bytes) {
    constexpr size_t kMaxBytes = 64 * 1024, kMaxLines = 1000;
    ServerConfigFile file;
    bytes = bytes.substr(0, kMaxBytes);
    for (size_t lines = 0; !bytes.empty() && lines < kMaxLines; ++lines) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && !ownLine(line, file.settings)) file.keptLines.emplace_back(line);
    }
    return file;
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

std::string joinText(const std::vector<std::string>& lanAddresses) {
    std::string text;
    for (const std::string& address : lanAddresses)
        text.append(text.empty() ? "" : " or ").append(address).append(":27015");
    text = text.empty() ? "This computer has no network address: friends cannot join yet."
                        : "Friends on your network join at " + text + ".";
    return text +
           " From the internet, they join at your public address once your router "
           "forwards UDP port 27015 to this computer.";
}

}  // namespace skyloom
