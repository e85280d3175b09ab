#include "connect/connection_command.h"

namespace skyloom {

GameCommand ComposeConnectCommand(std::string_view program, const ServerAddress& server,
                                  const std::optional<std::string>& password) {
    std::string arguments = "-console ";
    if (password) arguments += "+password " + *password + ' ';
    return {std::string(program), arguments + "+connect " + formatServerAddress(server)};
}

std::optional<std::string> passwordProblem(std::string_view password) {
    for (const char c : password) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7F || c == '"' || c == ';')
            return "Password: type it without blanks, quotes or ';'.";
    }
    if (password.empty()) return "Password: type the server's password.";
    return std::nullopt;
}

std::string maskedCommandLine(std::string_view line) {
    static constexpr std::string_view kOption = "+password ";
    std::string out(line);
    for (std::size_t at = out.find(kOption); at != std::string::npos;
         at = out.find(kOption, at + 1)) {
        if (at > 0 && out[at - 1] != ' ') continue;  // part of another word
        const std::size_t value = at + kOption.size();
        const std::size_t end = std::min(out.find(' ', value), out.size());
        if (end > value) out.replace(value, end - value, "********");
    }
    return out;
}

}  // namespace skyloom
