#pragma once

#include <fstream>
#include <string>

namespace skyloom::bench {

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); 0 when it is not there.
inline long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    return 0;
}

// Lets VmHWM start again from the present size.
inline void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace skyloom::bench
