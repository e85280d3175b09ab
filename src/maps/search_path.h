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
ModFolders modFoldersOf(std::string mapsFolder);

// Where the game looks for a map's files, in its order: the mod, `<mod>_addon`,
// `<mod>_downloads`, then the liblist.gam `fallback_dir` with its `_addon` and `_downloads`.
// Only folders that exist.
std::vector<std::string> searchPathOf(const std::string& modFolder);

// The first file of the search path at `relative` (as written, else in lower case).
std::optional<std::string> findFile(const std::vector<std::string>& searchPath,
                                    std::string_view relative);

}  // namespace skyloom
