#include "launcher/presets.h"

#include <array>

#include "launcher/preset_shortcut.h"

namespace skyloom {
namespace {

constexpr std::string_view kPrefix = "PRESET ";

constexpr std::array<std::pair<GameType, std::string_view>, 4> kTypes{
    {{GameType::Deathmatch, "deathmatch"},
     {GameType::SinglePlayer, "singleplayer"},
     {GameType::TeamFortress, "tfc"},
     {GameType::Custom, "custom"}}};

bool startsWithPrefix(std::string_view section) {
    if (section.size() < kPrefix.size()) return false;
    for (size_t i = 0; i < kPrefix.size(); ++i) {
        const char c = section[i];
        if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != kPrefix[i]) return false;
    }
    return true;
}

std::string sectionOf(std::string_view name) {
    return std::string(kPrefix) + std::string(name);
}

// Reads strip blanks and one pair of quotes: quoted, a value reads back byte for byte.
std::string quoted(std::string_view value) {
    return '"' + std::string(value) + '"';
}

}  // namespace

std::optional<std::string> presetNameProblem(std::string_view name) {
    if (name.empty()) return "A preset needs a name.";
    if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return "A preset's name cannot hold a line break.";
    if (name.find(']') != std::string_view::npos)
        return "A preset's name cannot hold the character \"]\".";
    if (holdsControlCharacter(name)) return "A preset's name cannot hold a control character.";
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(name.front()) || blank(name.back()))
        return "A preset's name cannot begin or end with a blank.";
    return std::nullopt;
}

std::vector<std::string> presetNames(std::string_view profileText) {
    std::vector<std::string> names;
    for (const std::string& section : profileSections(profileText))
        if (startsWithPrefix(section) && section.size() > kPrefix.size())
            names.push_back(section.substr(kPrefix.size()));
    return names;
}

std::optional<Preset> findPreset(std::string_view profileText, std::string_view name) {
    const std::string section = sectionOf(name);
    const auto value = [&](std::string_view key) {
        return findProfileValue(profileText, section, key);
    };
    const std::optional<std::string> type = value("type");
    if (presetNameProblem(name) || !type) return std::nullopt;
    Preset preset;
    for (const auto& [kind, word] : kTypes)
        if (*type == word) preset.choices.type = kind;
    const auto text = [&](std::string_view key) { return value(key).value_or(std::string()); };
    const auto flag = [&](std::string_view key) { return value(key) == "1"; };
    preset.choices.selectedMap = text("map");
    preset.choices.difficulty = text("difficulty");
    preset.choices.parameters = text("parameters");
    preset.choices.customFolder = text("custom");
    preset.choices.options = {flag("cheats"), flag("console"), flag("dev"), flag("numeric")};
    preset.showParameters = flag("more");
    return preset;
}

std::vector<ProfileChange> presetWrites(std::string_view name, const Preset& preset) {
    const std::string section = sectionOf(name);
    std::string type;
    for (const auto& [kind, word] : kTypes)
        if (preset.choices.type == kind) type = word;
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const GameChoices& c = preset.choices;
    // The old section goes first, so nothing of an older preset of this name stays.
    return {presetRemoval(name),
            {section, "type", type},
            {section, "map", quoted(c.selectedMap)},
            {section, "difficulty", quoted(c.difficulty)},
            {section, "parameters", quoted(c.parameters)},
            {section, "more", flag(preset.showParameters)},
            {section, "custom", quoted(c.customFolder)},
            {section, "cheats", flag(c.options.cheats)},
            {section, "console", flag(c.options.console)},
            {section, "dev", flag(c.options.dev)},
            {section, "numeric", flag(c.options.numeric)}};
}

ProfileChange presetRemoval(std::string_view name) {
    return {sectionOf(name), {}, std::nullopt};
}

}  // namespace skyloom
