#include "launcher/game_command.h"

#include "maps/map_name.h"
#include "settings/path_value.h"

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

GameCommand ComposeGameCommand(const GameChoices& choices) {
    std::string line;
    if (choices.type == GameType::Deathmatch) line += "+deathmatch 1 ";
    if (choices.type == GameType::TeamFortress) line += "-game tfc ";
    line += "+map ";
    line += gameMapName(choices.selectedMap);
    line += difficultyFragment(choices.difficulty);
    // Glued to the map or the skill, the parameters would change the map's name or the skill.
    if (!choices.parameters.empty() && choices.parameters.front() != ' ') line += ' ';
    line += choices.parameters;
    // The preview's leading blank is not part of the command.
    line += optionPreview(choices.options).substr(1);
    return {"hl.exe", line};
}

GameCommand ComposeCustomCommand(std::string_view customFolder) {
    return {"hl.exe", "-game " + std::string(customFolder)};
}

std::optional<std::string> gameFolder(std::string_view program) {
    return folderPart(program);
}

}  // namespace skyloom
