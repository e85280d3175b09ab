#pragma once

#include <optional>
#include <string>

namespace skyloom {

// The folder that holds the executable.
std::string applicationFolder();

// Where this program keeps `skyloom.ini`: `chosenFile` when given, else beside the program or in
// the player's configuration folder (see settingsFilePath).
std::string settingsFile(const std::optional<std::string>& chosenFile);

}  // namespace skyloom
