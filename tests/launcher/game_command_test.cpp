#include "launcher/game_command.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "launcher/preset_shortcut.h"
#include "temp_folder.h"

using namespace skyloom;

TEST(GameCommand, composesTypeMapDifficultyParametersThenOptionsAndAShortcutKeepsThem) {
    constexpr GameType DM = GameType::Deathmatch;
    const std::pair<GameChoices, std::string> cases[] = {
        // The difficulty chosen in single player still counts after going back to deathmatch.
        {{DM, "crossfire.bsp", "Hard", "", {.dev = true}, {}},
         "+deathmatch|1|+map|crossfire|+set|skill|2|-dev"},
        {{DM, "crossfire.bsp", "Easy", "-zone \"40 96\"", {.console = true}, {}, 3},
         "+deathmatch|1|+map|crossfire|+set|skill|0|-zone|40 96|-console"},
        {{DM, "crossfire-zone.bsp", "", "4096", {}, {}}, "+deathmatch|1|+map|crossfire-zone|4096"},
        // A typed name keeps all but its ".bsp", in any case.
        {{DM, "crossfire", "hard", " x", {true, true, true, true}, {}},
         "+deathmatch|1|+map|crossfire|x|-sv_cheats|1|-console|-dev|-numericping"},
        {{DM, "\xC3\xA9t\xC3\xA9.Bsp", "", "", {}, {}, 0}, "+deathmatch|1|+map|\xC3\xA9t\xC3\xA9"},
    };
    for (const auto& [c, expected] : cases) {
        std::string words;
        for (const std::string& w : ComposeGameCommand(c)) words += (words.empty() ? "" : "|") + w;
        EXPECT_EQ(words, expected);
    }
    // A preset's shortcut: Exec gives every argument back whole, quoted against a shell's
    // globbing; it starts the Skyloom that made it, with its settings file; each file name is its
    // own id and validates.
    const ShortcutTarget own{"/opt/sky loom/skyloom", "/home/p/my $.ini"};
    const std::tuple<std::string, ShortcutTarget, const char*, const char*> rows[] = {
        {"de_dust 2", {}, "preset-de_5Fdust_202", "\"skyloom\" \"--preset\" \"de_dust 2\""},
        {"a\\b $x `y` \"z\" 100%",
         {},
         "preset-a_5Cb_20_24x_20_60y_60_20_22z_22_20100_25",
         "\"skyloom\" \"--preset\" \"a\\\\\\\\b \\\\$x \\\\`y\\\\` \\\\\"z\\\\\" 100%%\""},
        {"dm[1]", {}, "preset-dm_5B1_5D", "\"skyloom\" \"--preset\" \"dm[1]\""},
        {"caf\xC3\xA9.x", own, "preset-caf_C3_A9_2Ex",
         "\"/opt/sky loom/skyloom\" \"--settings\" \"/home/p/my \\\\$.ini\" \"--preset\" "
         "\"caf\xC3\xA9.x\""},
        {"x",
         {"/opt/100%/skyloom", {}},
         "preset-x",  // desktops look the program up first
         "env \"/opt/100%%/skyloom\" \"--preset\" \"x\""},
        {std::string(300, 'w'), {}, nullptr, nullptr}};
    const test::TempFolder shortcuts;
    const std::string& folder = shortcuts.path;
    for (const auto& [name, target, id, exec] : rows) {
        const std::string file = shortcutFileName(name);
        const std::string text = shortcutText(name, target);
        EXPECT_EQ(shortcutProblem(name, target), std::nullopt);
        if (id) {
            EXPECT_EQ(file, std::string("io.github.skyloom.Skyloom.") + id + ".desktop");
            EXPECT_NE(text.find(std::string("\nExec=") + exec + "\n"), std::string::npos) << text;
        }
        EXPECT_LE(file.size(), 255u);
        shortcuts.put(file, text);
        const std::string command = "desktop-file-validate '" + folder + '/' + file + "' 2>&1";
        FILE* run = popen(command.c_str(), "r");
        char said[512] = {};
        const size_t n = fread(said, 1, sizeof said - 1, run);
        EXPECT_EQ(pclose(run), 0) << said;
        EXPECT_EQ(n, 0u) << said;
    }
    EXPECT_NE(shortcutFileName(std::string(300, 'w')), shortcutFileName(std::string(301, 'w')));
    // What no valid entry can hold is refused before anything is written, saying what it is.
    const std::tuple<std::string, ShortcutTarget, const char*> refused[] = {
        {"caf\xE9", {}, "name must be UTF-8 text"},
        {"a\x1B[1mb", {}, "name cannot hold a control character"},
        {"v\x0Bt", {}, "control"},
        {"c1\xC2\x85", {}, "control"},
        {"ok", {"/opt/\xFF/skyloom", {}}, "name /opt/\uFFFD/skyloom: its path is not UTF-8 text"},
        {"ok", {"skyloom", "/home/p/\x01.ini"}, "name /home/p/ .ini: its path holds a control"},
        {"ok", {"/a=100%/skyloom", {}}, "holds both '%' and '='"}};
    for (const auto& [name, target, why] : refused)
        EXPECT_NE(shortcutProblem(name, target).value_or("").find(why), std::string::npos) << name;
    EXPECT_EQ(shortcutFolder("/data", "/home/p"), "/data/applications");
    EXPECT_EQ(shortcutFolder("rel", "/home/p"), "/home/p/.local/share/applications");
    EXPECT_EQ(shortcutFolder("", ""), "");
}
