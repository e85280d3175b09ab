#include "connect/connection_command.h"

namespace skyloom {

GameCommand ComposeConnectCommand(std::string_view program, const ServerAddress& server) {
    return {std::string(program), "-console +connect " + formatServerAddress(server)};
}

}  // namespace skyloom
