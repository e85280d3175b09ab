#include "app/demo_info_mode.h"

#include <cstdio>

#include "demos/demo_file.h"
#include "platform/files.h"

namespace skyloom {

int runDemoInfo(const std::string& file, std::FILE* out, std::FILE* err) {
    // Only a regular file: a FIFO would block the read.
    if (!isFile(file)) {
        std::fprintf(err, "skyloom: %s: no such file\n", file.c_str());
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
