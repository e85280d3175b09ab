#include "launcher/game_command.h"

#include "maps/map_name.h"
#include "platform/command_line.h"

namespace skyloom {

std::string optionPreview(const GameOptions& options) {
    std::string text = " ";
    if (options.cheats) text += " -sv_cheats 1";
    if (options.console) text += " -console";
    if (options.dev) text += " -dev";
    if (options.numeric) text += " -numericping";
    return text;
}

std::string difficultyFragment(std::string_view difficulty) {
    if (difficulty == "Easy") return " +set skill 0";
    if (difficulty == "Medium") return " +set skill 1";
    if (difficulty == "Hard") return " +set skill 2";
    return {};
}

std::vector<std::string> ComposeGameCommand(const GameChoices& choices) {
    std::vector<std::string> words;
    const auto add = [&words](std::string_view line) {
        for (std::string& word : splitArguments(line)) words.push_back(std::move(word));
    };
    if (choices.type == GameType::Deathmatch) add("+deathmatch 1");
    if (choices.type == GameType::TeamFortress) add("-game tfc");
    words.push_back("+map");
    words.push_back(mapArgument(choices.selectedMap));
    add(difficultyFragment(choices.difficulty));
    add(choices.parameters);
    add(optionPreview(choices.options));
    return words;
}

std::vector<std::string> ComposeCustomCommand(std::string_view customFolder) {
    return {"-game", std::string(customFolder)};
}

}  // namespace skyloom
