#include "maps/res_file.h"

#include <algorithm>

#include "platform/ascii.h"

namespace skyloom {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

// What a server would send: it refuses entries holding a backslash, `:` or `..`.
bool staysInside(std::string_view path) {
    return !path.empty() && path.front() != '/' &&
           path.find_first_of("\\:") == std::string_view::npos &&
           path.find("..") == std::string_view::npos;
}

// Calls `take` for each blank-separated word of each line, quotes removed, up to a comment.
template <typename Take>
void words(std::string_view text, Take take) {
    while (!text.empty()) {
        const size_t eol = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(std::min(eol + 1, text.size()));
        line = line.substr(0, std::min(line.find("//"), line.size()));
        size_t i = 0;
        for (size_t index = 0; i < line.size(); ++index) {
            while (i < line.size() && isBlank(line[i])) ++i;
            if (i >= line.size()) break;
            size_t end;
            std::string_view word;
            if (line[i] == '"') {
                end = std::min(line.find('"', i + 1), line.size());
                word = line.substr(i + 1, end - i - 1);
                ++end;
            } else {
                end = i;
                while (end < line.size() && !isBlank(line[end])) ++end;
                word = line.substr(i, end - i);
            }
            i = end;
            if (!take(word, index)) break;
        }
    }
}

}  // namespace

std::vector<std::string> parseResFile(std::string_view text) {
    std::vector<std::string> paths;
    words(text, [&](std::string_view word, size_t) {
        if (staysInside(word)) paths.emplace_back(word);
        return true;
    });
    return paths;
}

std::string fallbackDir(std::string_view liblist) {
    std::string found;
    bool isFallback = false;
    // Only the first two words of a line count: key and value.
    words(liblist, [&](std::string_view word, size_t index) {
        if (index == 0) {
            isFallback = asciiLowered(word) == "fallback_dir";
            return isFallback;
        }
        if (found.empty() && !word.empty() &&
            word.find_first_of("/\\:") == std::string_view::npos && word != "." && word != "..")
            found = word;
        return false;
    });
    return found.empty() ? "valve" : found;
}

}  // namespace skyloom
