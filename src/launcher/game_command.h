#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

enum class GameType { Deathmatch, SinglePlayer, TeamFortress, Custom };

// The four option boxes of the "General" frame.
struct GameOptions {
    bool cheats = false;
    bool console = false;
    bool dev = false;
    bool numeric = false;
};

// What the main window's controls hold when the game command is composed.
struct GameChoices {
    GameType type = GameType::Deathmatch;
    // The map file the selected-map field names, by its bytes on disk, extension included: the
    // map taken from the list, else a listed map whose name was typed, else the text as typed.
    std::string selectedMap;
    std::string difficulty;  // the text of the difficulty list
    std::string parameters;  // additional parameters, as typed (a blank goes before them)
    GameOptions options;
    std::string customFolder;             // the custom mod's folder, for the custom type
    std::optional<std::size_t> mapRow{};  // the selected map's row in the map list, when listed
};

// A single blank followed by the fragment of each checked option.
std::string optionPreview(const GameOptions& options);

std::string difficultyFragment(std::string_view difficulty);

// The game's arguments: the game type, the map, the difficulty, the parameters (split as the C
// runtime splits a command line) and the options.
std::vector<std::string> ComposeGameCommand(const GameChoices& choices);

// "-game" and the custom mod's folder as typed, one argument.
std::vector<std::string> ComposeCustomCommand(std::string_view customFolder);

}  // namespace skyloom
