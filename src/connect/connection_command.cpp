#include "connect/connection_command.h"

namespace skyloom {

GameStart ComposeConnectCommand(const ServerAddress& server,
                                const std::optional<std::string>& password) {
    GameStart start{{}, {"-console"}};
    if (password) start.arguments.insert(start.arguments.end(), {"+password", *password});
    if (password) start.secret = {2};
    start.arguments.insert(start.arguments.end(), {"+connect", formatServerAddress(server)});
    return start;
}

std::optional<std::string> passwordProblem(std::string_view password) {
    for (const char c : password) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7F || c == '"' || c == ';')
            return "Password: type it without blanks, quotes or ';'.";
    }
    if (password.empty()) return "Password: type the server's password.";
    // The game reads a word that starts so as a command or an option of its own.
    if (password.front() == '+' || password.front() == '-')
        return "Password: it cannot start with '+' or '-', which the game would read as a "
               "command of its own.";
    return std::nullopt;
}

}  // namespace skyloom
