#include "maps/map_name.h"

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

std::string mapArgument(std::string_view name) {
    const bool bsp =
        name.size() > 4 && asciiLowered(std::string(name.substr(name.size() - 4))) == ".bsp";
    return std::string(bsp ? name.substr(0, name.size() - 4) : name);
}

}  // namespace skyloom
