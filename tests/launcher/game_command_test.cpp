#include "launcher/game_command.h"
#include "maps/map_name.h"

#include <gtest/gtest.h>

using namespace skyloom;

TEST(GameCommand, composesTypeMapDifficultyParametersThenOptions) {
    using choices = GameChoices;
    const std::pair<GameChoices, std::string> cases[] = {
        {choices(GameType::Deathmatch, "crossfire.bsp", "", "", {}),
         "hl.exe +deathmatch 1 +map crossfire"},
        {choices(GameType::SinglePlayer, "c1a0.bsp", "Medium", "", {false, true, false, false}),
         "hl.exe +map c1a0 +set skill 1 -console"},
        {choices(GameType::TeamFortress, "2fort.bsp", "", "", {true, false, false, true}),
         "hl.exe -game tfc +map 2fort -sv_cheats 1 -numericping"},
        // The difficulty chosen in single player still counts after going back to deathmatch.
        {choices(GameType::Deathmatch, "crossfire.bsp", "Hard", "", {false, false, true, false}),
         "hl.exe +deathmatch 1 +map crossfire +set skill 2 -dev"},
        {choices(GameType::Deathmatch, "crossfire.bsp", "Easy", "-zone 4096",
                 {false, true, false, false}),
         "hl.exe +deathmatch 1 +map crossfire +set skill 0 -zone 4096 -console"},
        {choices(GameType::Deathmatch, "crossfire-zone.bsp", "", "4096", {}),
         "hl.exe +deathmatch 1 +map crossfire-zone 4096"},
        {choices(GameType::Deathmatch, "crossfire", "hard", " x", {true, true, true, true}),
         "hl.exe +deathmatch 1 +map cross x -sv_cheats 1 -console -dev -numericping"},
        {choices(GameType::Deathmatch, "ab", "EASY", "", {}), "hl.exe +deathmatch 1 +map "},
    };
    for (const auto& [c, expected] : cases) EXPECT_EQ(ComposeGameCommand(c).line(), expected);
}

// A name is refused for any character the splitter separates at, a quote, a `;` or a control
// character, and the message names it as a player can see it.
TEST(GameCommand, mapNamesThatWouldSplitOrForgeCommandsAreRefusedByName) {
    const std::pair<const char*, const char*> cases[] = {
        {"crossfire.bsp", ""},
        {"de_dust2-[v2]'s.bsp", ""},
        {"caf\xE9.bsp", ""},
        {"x +exec evil.bsp", "a blank"},
        {"x\t+exec\tevil.bsp", "a tab"},
        {"a\"b.bsp", "the character \""},
        {"x;quit.bsp", "the character ;"},
        {"x\x1b.bsp", "a control character (U+001B)"},
        {"x\x7f.bsp", "a control character (U+007F)"},
        {"x\rquit.bsp", "a line break (CR)"},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(mapNameProblem(name).value_or(""), problem) << name;
}
