#include <gtest/gtest.h>

#include "launcher/game_command.h"
#include "launcher/game_types.h"

using namespace skyloom;

TEST(GameCommand, composesTheWorkedExamples) {
    GameChoices dm;
    dm.selectedMap = "crossfire.bsp";
    EXPECT_EQ(ComposeGameCommand(dm), "hl.exe +deathmatch 1 +map crossfire");

    GameChoices sp;
    sp.type = GameType::SinglePlayer;
    sp.selectedMap = "c1a0.bsp";
    sp.difficulty = "Medium";
    sp.options.console = true;
    EXPECT_EQ(ComposeGameCommand(sp), "hl.exe +map c1a0 +set skill 1 -console");

    GameChoices tfc;
    tfc.type = GameType::TeamFortress;
    tfc.selectedMap = "2fort.bsp";
    tfc.options.cheats = true;
    tfc.options.numeric = true;
    EXPECT_EQ(ComposeGameCommand(tfc), "hl.exe -game tfc +map 2fort -sv_cheats 1 -numericping");

    GameChoices dmHard;  // the difficulty text survives a change back to deathmatch
    dmHard.selectedMap = "crossfire.bsp";
    dmHard.difficulty = "Hard";
    dmHard.options.dev = true;
    EXPECT_EQ(ComposeGameCommand(dmHard), "hl.exe +deathmatch 1 +map crossfire +set skill 2 -dev");
}

TEST(GameCommand, parametersJoinWithoutAddedBlankAndBeforeOptions) {
    GameChoices c;
    c.selectedMap = "crossfire.bsp";
    c.parameters = "-zone 4096";
    c.options.console = true;
    EXPECT_EQ(ComposeGameCommand(c), "hl.exe +deathmatch 1 +map crossfire-zone 4096 -console");
    c.difficulty = "Easy";
    EXPECT_EQ(ComposeGameCommand(c),
              "hl.exe +deathmatch 1 +map crossfire +set skill 0-zone 4096 -console");
}

TEST(GameCommand, difficultyMatchesExactly) {
    EXPECT_EQ(difficultyFragment("Easy"), " +set skill 0");
    EXPECT_EQ(difficultyFragment("Medium"), " +set skill 1");
    EXPECT_EQ(difficultyFragment("Hard"), " +set skill 2");
    EXPECT_EQ(difficultyFragment("hard"), "");
    EXPECT_EQ(difficultyFragment("EASY"), "");
    EXPECT_EQ(difficultyFragment(""), "");
    EXPECT_EQ(difficultyFragment("Hard "), "");
}

TEST(GameCommand, mapNameCutsFourCharactersWhateverTheyAre) {
    EXPECT_EQ(mapName("crossfire.bsp"), "crossfire");
    EXPECT_EQ(mapName("crossfire"), "cross");
    EXPECT_EQ(mapName(".bsp"), "");
    EXPECT_EQ(mapName("ab"), "");
    EXPECT_EQ(mapName(""), "");
}

TEST(GameCommand, previewStartsWithOneBlankAndKeepsTableOrder) {
    EXPECT_EQ(optionPreview({}), " ");
    EXPECT_EQ(optionPreview({false, false, false, true}), "  -numericping");
    EXPECT_EQ(optionPreview({true, false, true, false}), "  -sv_cheats 1 -dev");
    EXPECT_EQ(optionPreview({true, true, true, true}), "  -sv_cheats 1 -console -dev -numericping");
}

TEST(GameCommand, customCommandIsTheFolderAsTyped) {
    EXPECT_EQ(ComposeCustomCommand("cstrike"), "hl.exe -game cstrike");
    EXPECT_EQ(ComposeCustomCommand(" my mod "), "hl.exe -game  my mod ");
}

TEST(GameCommand, gameFolderDropsTheLastSevenCharacters) {
    EXPECT_EQ(gameFolder("C:\\Games\\Half-Life\\hl.exe"), "C:\\Games\\Half-Life");
    EXPECT_EQ(gameFolder("/games/half life/hl.exe"), "/games/half life");
    EXPECT_EQ(gameFolder("/hl.exe"), "");
    EXPECT_EQ(gameFolder("hl.exe"), std::nullopt);
    EXPECT_EQ(gameFolder(""), std::nullopt);
}

TEST(GameTypes, tableOfTheFourTypes) {
    GameTypeLook dm = lookOf(GameType::Deathmatch);
    EXPECT_EQ(dm.title, "Skyloom - Deathmatch game");
    EXPECT_EQ(dm.mapsKey, "maps");
    EXPECT_FALSE(dm.difficultyEnabled);
    EXPECT_FALSE(dm.custom);
    EXPECT_EQ(lookOf(GameType::SinglePlayer).mapsKey, "maps");
    EXPECT_TRUE(lookOf(GameType::SinglePlayer).difficultyEnabled);
    EXPECT_EQ(lookOf(GameType::TeamFortress).mapsKey, "tfcmaps");
    GameTypeLook custom = lookOf(GameType::Custom);
    EXPECT_FALSE(custom.title || custom.mapsKey || custom.tooltip);
    EXPECT_TRUE(custom.custom);
}
