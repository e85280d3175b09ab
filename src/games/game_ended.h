#pragma once

#include <string>

namespace skyloom {

// A started program that ended soon with a failure.
struct GameEnded {
    std::string tried;      // what was started
    std::string status;     // "exit status 1", "signal 11 (Segmentation fault)"
    std::string lastLines;  // the end of its output
    std::string log;        // the file that holds all of it
};

}  // namespace skyloom
