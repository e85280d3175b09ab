#include "games/start_game.h"

#include <algorithm>

namespace skyloom {

std::string ShownCommand::text() const {
    std::string line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) line += ' ';
        const std::string& w = words[i];
        if (std::find(secret.begin(), secret.end(), i) != secret.end())
            line += "********";
        else if (w.empty() || w.find_first_of(" \t") != std::string::npos)
            line += '"' + w + '"';
        else
            line += w;
    }
    for (const auto& [name, value] : environment) line += " with " + name + "=" + value;
    return line;
}

ShownCommand GameStart::shown() const {
    ShownCommand c{{program}, {}, {}};
    c.words.insert(c.words.end(), arguments.begin(), arguments.end());
    for (const std::size_t at : secret) c.secret.push_back(at + 1);
    return c;
}

}  // namespace skyloom
