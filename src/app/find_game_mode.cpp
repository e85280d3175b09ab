#include "app/find_game_mode.h"

#include <cstdio>

#include "games/installs.h"
#include "platform/process_starter.h"

namespace skyloom {

int runFindGame() {
    const FindGameReport report = findGameReport(findInstalls(ProcessStarter().installSearch()));
    std::fputs(report.out.c_str(), stdout);
    std::fputs(report.err.c_str(), stderr);
    return report.status;
}

}  // namespace skyloom
