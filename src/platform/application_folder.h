#pragma once

#include <string>

namespace skyloom {

// The folder that holds the executable.
std::string applicationFolder();

}  // namespace skyloom
