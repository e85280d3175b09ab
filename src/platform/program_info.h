#pragma once

namespace skyloom {

// From the CMake project (see cmake/program_info.cpp.in).
extern const char* const kProgramName;     // "Skyloom"
extern const char* const kProgramVersion;  // "2.1"
extern const char* const kAppId;           // the reverse-DNS id of the menu entry and icons
// Where an install puts the program; started from there, it keeps its settings in the player's
// own folder even when it could write beside itself (as root can).
extern const char* const kInstallBinFolder;

}  // namespace skyloom
