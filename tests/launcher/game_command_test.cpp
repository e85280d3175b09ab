#include "launcher/game_command.h"

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
    for (const auto& [c, expected] : cases) EXPECT_EQ(ComposeGameCommand(c), expected);
}

TEST(GameCommand, mapNamesWithBlanksQuotesOrSemicolonsCannotBeLoaded) {
    const std::pair<const char*, bool> cases[] = {
        {"crossfire.bsp", true},     {"de_dust2-[v2]'s.bsp", true}, {"", true},
        {"x +exec evil.bsp", false}, {"a\"b.bsp", false},           {"x;quit.bsp", false},
        {"trailing .bsp", false},
    };
    for (const auto& [name, loadable] : cases) EXPECT_EQ(isLoadableMapName(name), loadable) << name;
}
