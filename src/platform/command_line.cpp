#include "platform/command_line.h"

namespace skyloom {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool endsWithExe(std::string_view s) {
    if (s.size() < 4) return false;
    std::string tail(s.substr(s.size() - 4));
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".exe";
}

}  // namespace

std::vector<std::string> splitArguments(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    const size_t n = text.size();
    while (true) {
        while (i < n && isBlank(text[i])) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(text[i]))) {
            if (text[i] == '\\') {
                size_t slashes = 0;
                while (i < n && text[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && text[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                    // an even count leaves the quote to toggle quoting below
                } else {
                    arg.append(slashes, '\\');
                }
                continue;
            }
            if (text[i] == '"') {
                if (quoted && i + 1 < n && text[i + 1] == '"') {
                    arg += '"';  // "" inside quotes is a literal quote
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg += text[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

CommandLine parseCommandLine(std::string_view line,
                             const std::function<bool(const std::string&)>& isFile) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    CommandLine result;
    if (!line.empty() && line.front() == '"') {
        size_t close = line.find('"', 1);
        if (close == std::string_view::npos) close = line.size();
        result.program = std::string(line.substr(1, close - 1));
        std::string_view rest = close < line.size() ? line.substr(close + 1) : std::string_view();
        result.arguments = splitArguments(rest);
        return result;
    }
    std::vector<size_t> ends;  // every blank, then the end of the line
    for (size_t pos = line.find_first_of(" \t"); pos != std::string_view::npos;
         pos = line.find_first_of(" \t", pos + 1))
        ends.push_back(pos);
    ends.push_back(line.size());
    // Nothing existing: name the first prefix that looks like a program, so a message about it
    // shows the whole path rather than its first word.
    size_t chosen = ends.front();
    for (size_t end : ends) {
        if (end >= 4 && endsWithExe(line.substr(0, end))) {
            chosen = end;
            break;
        }
    }
    for (size_t end : ends) {
        if (end > 0 && isFile(std::string(line.substr(0, end)))) {
            chosen = end;
            break;
        }
    }
    result.program = std::string(line.substr(0, chosen));
    result.arguments = splitArguments(chosen < line.size() ? line.substr(chosen) : "");
    return result;
}

}  // namespace skyloom
