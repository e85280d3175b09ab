#include "connect/connection_command.h"

namespace skyloom {

std::string ComposeConnectCommand(std::string_view program, std::string_view address,
                                  std::string_view port) {
    std::string line(program);
    line += " -console";
    line += " +connect ";
    line += address;
    line += ':';
    line += port;
    return line;
}

}  // namespace skyloom
