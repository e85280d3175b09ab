#pragma once

#include <optional>
#include <string>
#include <vector>

#include "maps/byte_source.h"

namespace skyloom {

// The texture names a WAD3 (or WAD2) file holds, lower case and sorted. Nothing when the file
// is not such a WAD.
std::optional<std::vector<std::string>> readWadDirectory(const ByteSource& file);

}  // namespace skyloom
