#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyloom {

// Why the first (configured) folder gave no maps.
enum class FolderProblem { None, NotFound, NotAFolder, Unreadable, Loop };

struct ListedMap {
    std::string name;  // the file name's own bytes
    uint32_t folder;   // index into the listed folders
};

struct MapListing {
    std::vector<ListedMap> maps;
    FolderProblem problem = FolderProblem::None;
    std::string reason;  // the system's words for an unreadable folder
};

// The "*.bsp" files of the folders (extension of any case), one entry per name without regard
// to case (the first folder wins), sorted by name as a file list shows them, leaving out names
// the game cannot load. A folder that cannot be listed adds nothing.
MapListing listMaps(const std::vector<std::string>& folders);

}  // namespace skyloom
