#pragma once

#include <cstdio>
#include <string>

namespace skyloom {

// `skyloom --demo-info FILE.dem`: prints the demo's map, game folder, length and protocol. 0: a
// demo, 1: not a demo the game can play (the reason on standard error), 2: no such file.
int runDemoInfo(const std::string& file, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace skyloom
