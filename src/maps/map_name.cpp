#include "maps/map_name.h"

#include <cctype>

#include "platform/ascii.h"
#include "platform/command_line.h"

namespace skyloom {

std::optional<std::string> mapNameProblem(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (isArgumentSeparator(c) || isControlCharacter(c) || c == '"' || c == ';')
            return nameOfCharacter(name.substr(i));
    }
    return std::nullopt;
}

std::string gameMapName(std::string_view fileName) {
    std::size_t end = fileName.size();
    for (int count = 4; count > 0; --count) {
        if (end == 0) return {};
        --end;
        while (end > 0 && (static_cast<unsigned char>(fileName[end]) & 0xC0) == 0x80) --end;
    }
    return std::string(fileName.substr(0, end));
}

bool isSinglePlayerMapName(std::string_view name) {
    static constexpr std::string_view kNames[] = {
        "c0a0",   "c0a0a",  "c0a0b", "c0a0c", "c0a0d", "c0a0e", "c1a0",   "c1a0a",  "c1a0b",
        "c1a0c",  "c1a0d",  "c1a0e", "c1a1",  "c1a1a", "c1a1b", "c1a1c",  "c1a1d",  "c1a1f",
        "c1a2",   "c1a2a",  "c1a2b", "c1a2c", "c1a2d", "c1a3",  "c1a3a",  "c1a3b",  "c1a3c",
        "c1a3d",  "c1a4",   "c1a4b", "c1a4d", "c1a4e", "c1a4f", "c1a4g",  "c1a4i",  "c1a4j",
        "c1a4k",  "c2a1",   "c2a1a", "c2a1b", "c2a2",  "c2a2a", "c2a2b1", "c2a2b2", "c2a2c",
        "c2a2d",  "c2a2e",  "c2a2f", "c2a2g", "c2a2h", "c2a3",  "c2a3a",  "c2a3b",  "c2a3c",
        "c2a3d",  "c2a3e",  "c2a4",  "c2a4a", "c2a4b", "c2a4c", "c2a4d",  "c2a4e",  "c2a4f",
        "c2a4g",  "c2a5",   "c2a5a", "c2a5b", "c2a5c", "c2a5d", "c2a5e",  "c2a5f",  "c2a5g",
        "c2a5w",  "c2a5x",  "c3a1",  "c3a1a", "c3a1b", "c3a2",  "c3a2a",  "c3a2b",  "c3a2c",
        "c3a2d",  "c3a2e",  "c3a2f", "c4a1",  "c4a1a", "c4a1b", "c4a1c",  "c4a1d",  "c4a1e",
        "c4a1f",  "c4a2",   "c4a2a", "c4a2b", "c4a3",  "c5a1",  "t0a0",   "t0a0a",  "t0a0b",
        "t0a0b1", "t0a0b2", "t0a0c", "t0a0d"};
    if (name.size() > 10) return false;
    std::string lower;
    for (const char c : name) lower += char(std::tolower((unsigned char)c));
    if (lower.ends_with(".bsp")) lower.resize(lower.size() - 4);
    for (const std::string_view known : kNames)
        if (known == lower) return true;
    return false;
}

std::string mapArgument(std::string_view name) {
    const bool bsp =
        name.size() > 4 && asciiLowered(std::string(name.substr(name.size() - 4))) == ".bsp";
    return std::string(bsp ? name.substr(0, name.size() - 4) : name);
}

}  // namespace skyloom
