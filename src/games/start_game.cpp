#include "games/start_game.h"

#include <algorithm>

namespace skyloom {

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
