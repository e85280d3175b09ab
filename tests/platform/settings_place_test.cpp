#include "platform/settings_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/settings.h"

using namespace skyloom;
namespace fs = std::filesystem;

TEST(SettingsPlace, portableWhenTheProgramFolderAllowsItElseTheConfigurationFolder) {
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
}

// Root included: a folder is judged by its mode bits, so a read-only program folder stays
// read-only for a test run as root.
TEST(SettingsPlace, folderWritableFollowsTheModeBitsForEveryUser) {
    const fs::path dir = fs::temp_directory_path() / ("skyloom-place-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::pair<mode_t, bool> cases[] = {{0755, true}, {0555, false}, {0700, true}};
    for (const auto& [mode, writable] : cases) {
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
