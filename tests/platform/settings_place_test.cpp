#include "platform/settings_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fuzz.h"
#include "platform/state_file.h"
#include "settings/settings.h"

using namespace skyloom;
namespace fs = std::filesystem;

TEST(SettingsPlace, portableWhereTheFoldersModeBitsAllowElseTheConfigurationFolder) {
    struct Case {
        const char* name;
        std::optional<std::string> chosen;
        bool holds, writable, installed;
        const char *xdg, *home, *expected;
    } cases[] = {
        {"chosen file wins", "/x/mine.ini", true, true, false, "/c", "/h", "/x/mine.ini"},
        {"empty choice is none", "", false, true, false, "/c", "/h", "/app/skyloom.ini"},
        {"writable folder", {}, false, true, false, "/c", "/h", "/app/skyloom.ini"},
        {"file beside read-only", {}, true, false, true, "/c", "/h", "/app/skyloom.ini"},
        {"read-only folder", {}, false, false, false, "/c", "/h", "/c/skyloom/skyloom.ini"},
        {"installed, root writes", {}, false, true, true, "/c", "/h", "/c/skyloom/skyloom.ini"},
        {"no XDG_CONFIG_HOME", {}, false, false, false, "", "/h", "/h/.config/skyloom/skyloom.ini"},
        {"relative XDG", {}, false, false, false, "c", "/h", "/h/.config/skyloom/skyloom.ini"},
        {"no home, writable", {}, false, true, false, "", "", "/app/skyloom.ini"},
        {"no home, read-only", {}, false, false, false, "", "", ""},
    };
    for (const Case& c : cases) {
        SettingsPlaceFacts f{c.chosen, "/app", c.holds, c.writable, c.installed, c.xdg, c.home};
        EXPECT_EQ(settingsFilePath(f), c.expected) << c.name;
    }
    // Root included: a folder is judged by its mode bits, so a read-only program folder stays
    // read-only for a test run as root.
    const fs::path dir = fs::temp_directory_path() / ("skyloom-place-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::pair<mode_t, bool> modes[] = {{0755, true}, {0555, false}, {0700, true}};
    for (const auto& [mode, writable] : modes) {
        ASSERT_EQ(chmod(dir.c_str(), mode), 0);
        EXPECT_EQ(folderWritable(dir.string()), writable) << std::oct << mode;
    }
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    // From a read-only program folder the first write makes the configuration folders, 0700.
    const fs::path config =
        fs::temp_directory_path() / ("skyloom-config-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const Settings settings(settingsFilePath(settingsPlaceFacts(dir.string(), {}, "/nowhere")));
    EXPECT_EQ(settings.filePath(), (config / "skyloom" / "skyloom.ini").string());
    ASSERT_TRUE(settings.write("MISC", "user", "Gordon").ok);
    EXPECT_EQ(settings.read("MISC", "user", "error", 100), "Gordon");
    for (const fs::path& made : {config, config / "skyloom"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    EXPECT_FALSE(fs::exists(dir / "skyloom.ini"));
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
    fs::remove_all(config);
}

// The state file: a damaged line costs only itself, a link at its name is replaced, never
// written through, and hostile bytes only return.
TEST(StateFile, keepsWholeLinesReplacesALinkAndSurvivesDamage) {
    EXPECT_EQ(stateFilePath("/s", "/h"), "/s/skyloom/state");
    EXPECT_EQ(stateFilePath("s", "/h"), "/h/.local/state/skyloom/state");
    EXPECT_EQ(stateFilePath("", ""), "");
    const StateValues read =
        parseStateFile("sp.geometry=AdnQyw==\nbad key=1\nno equals\nx=\x01\nDM.g=a=b\ncut=1");
    EXPECT_EQ(read, (StateValues{{"DM.g", "a=b"}, {"sp.geometry", "AdnQyw=="}}));
    const fs::path dir = fs::temp_directory_path() / ("skyloom-state-" + std::to_string(getpid()));
    const std::string file = (dir / "skyloom" / "state").string();
    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directories(dir / "skyloom");
    std::ofstream(elsewhere) << "keep";
    fs::create_symlink(elsewhere, file);
    EXPECT_FALSE(writeStateValue(file, "a", "1"));
    EXPECT_FALSE(writeStateValue(file, "b", "2"));
    EXPECT_TRUE(writeStateValue(file, "c d", "3"));
    EXPECT_EQ(readStateFile(file), (StateValues{{"a", "1"}, {"b", "2"}}));
    EXPECT_FALSE(fs::is_symlink(file));
    EXPECT_EQ(readFileStart(elsewhere.string(), 100), "keep");
    fs::remove_all(dir);
    test::fuzz({stateFileText(read)}, 20000, [](const std::string& bytes) {
        for (const auto& [key, value] : parseStateFile(bytes))
            EXPECT_TRUE(isStateKey(key) && value.find('\n') == std::string::npos);
    });
}
