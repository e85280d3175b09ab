#include "app/demo_info_mode.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "demos/demo_file.h"
#include "platform/files.h"

namespace skyloom {

int runDemoInfo(const std::string& file, std::FILE* out, std::FILE* err) {
    // Only a regular file: a FIFO would block the read.
    if (!isFile(file)) {
        std::error_code error;
        const bool there = std::filesystem::exists(file, error);
        std::fprintf(err, "skyloom: %s: %s\n", file.c_str(), there ? "not a file" : "no such file");
        return 2;
    }
    const DemoReading reading = readDemoFile(file);
    if (!reading.info) {
        std::fprintf(err, "skyloom: %s: %s\n", file.c_str(), reading.problem.c_str());
        return 1;
    }
    std::fputs(demoInfoText(*reading.info).c_str(), out);
    return 0;
}

}  // namespace skyloom
