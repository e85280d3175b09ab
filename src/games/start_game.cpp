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

ShownCommand shownAfter(std::vector<std::string> head, const GameStart& start,
                        std::vector<std::pair<std::string, std::string>> environment) {
    ShownCommand c{std::move(head), {}, std::move(environment)};
    for (const std::size_t at : start.secret) c.secret.push_back(c.words.size() + at);
    c.words.insert(c.words.end(), start.arguments.begin(), start.arguments.end());
    return c;
}

}  // namespace skyloom
