#pragma once

#include <string>

namespace skyloom {

// `skyloom --map-info FILE.bsp`: prints the map's title and the files the game needs and does
// not find on the search path the map's own place gives. 0: nothing missing, 1: files missing,
// 2: the map cannot be read (the reason on standard error).
int runMapInfo(const std::string& file);

}  // namespace skyloom
