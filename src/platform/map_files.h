#pragma once

#include <string>
#include <vector>

namespace skyloom {

// The names of the "*.bsp" files of a folder, the extension matched without regard to case,
// sorted by name as a file list shows them, leaving out names the game cannot load. A folder that
// does not exist gives an empty list.
std::vector<std::string> listMapFiles(const std::string& folder);

}  // namespace skyloom
