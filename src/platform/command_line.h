#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

struct CommandLine {
    std::string program;
    std::vector<std::string> arguments;
};

// Splits arguments by the Microsoft C runtime's rules: blanks separate, double quotes group,
// 2n backslashes before a quote give n and toggle quoting, 2n+1 give n and a literal quote.
std::vector<std::string> splitArguments(std::string_view text);

// Reads a command line as CreateProcess does: a quoted program ends at its closing quote; an
// unquoted one may hold blanks, so each blank-delimited prefix is tried, shortest first, and the
// first that `isFile` accepts is the program (else the first word is).
CommandLine parseCommandLine(std::string_view line,
                             const std::function<bool(const std::string&)>& isFile);

}  // namespace skyloom
