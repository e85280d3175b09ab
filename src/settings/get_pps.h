#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skyloom {

// Reads one setting: the value of `cle` in section `cat`, or `def` when the file, the section or
// the key is missing; cut to `max` - 1 UTF-8 characters, with leading blanks removed.
std::string GetPPS(std::string_view cat, std::string_view cle, std::string_view def,
                   std::int32_t max, const std::string& file);

}  // namespace skyloom
