#include "maps/map_name.h"

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

}  // namespace skyloom
