#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// The folders a mod's maps come from, found from the configured `maps` folder.
struct ModFolders {
    std::string mod;                      // "…/tfc"; empty when the folder is not a mod's `maps`
    std::vector<std::string> mapFolders;  // the mod's, `<mod>_addon`'s, `<mod>_downloads`'s
};
// The add-on and download folders carry the game's own lower-case names, whatever the case of
// the configured path; their `maps` folder is found without regard to case.
ModFolders modFoldersOf(std::string mapsFolder);

// Where the game looks for a map's files, in its order: the mod, `<mod>_addon`,
// `<mod>_downloads`, then the liblist.gam `fallback_dir` with its `_addon` and `_downloads`.
// Only folders that exist. `ignoreCase`: the game runs under Wine, which finds any case.
std::vector<std::string> searchPathOf(const std::string& modFolder, bool ignoreCase = false);

// The first file of the search path at `relative` (as written, else in lower case; with
// `ignoreCase`, in any case).
std::optional<std::string> findFile(const std::vector<std::string>& searchPath,
                                    std::string_view relative, bool ignoreCase = false);

// The mod folder a map file belongs to by its place, `<game>/<mod>[_addon|_downloads]/maps/`;
// empty when it lies elsewhere.
std::string modFolderOfMap(const std::string& mapPath);

// Whether the file is a Windows program (begins with "MZ"): such a game runs under Wine.
bool isWindowsProgram(const std::string& path);

}  // namespace skyloom
