#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// What in a map's name keeps the game from loading it, named for a message ("a tab", "the
// character ;"): a character that would split the argument, quote it or end the console command,
// or any control character. Nothing when the name can be loaded. The name may carry its ".bsp".
std::optional<std::string> mapNameProblem(std::string_view name);

// The name the game is given for a map file: the file name less its ".bsp", cut as its last four
// characters counted as whole UTF-8 characters (a cut never splits one); empty when shorter.
std::string gameMapName(std::string_view fileName);

// Whether the name (with or without ".bsp", any case) is one of the maps Half-Life ships for its
// single-player campaign and training, which a deathmatch cannot use.
bool isSinglePlayerMapName(std::string_view name);

// The name the game is given for the map a player chose, listed or typed: less its ".bsp" (in
// any case) when it has one, else as it is.
std::string mapArgument(std::string_view name);

inline bool isLoadableMapName(std::string_view name) {
    return !mapNameProblem(name);
}

}  // namespace skyloom
