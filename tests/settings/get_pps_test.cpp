#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/settings.h"

using namespace skyloom;

// Reads through the settings file of an application folder, as every window does.
TEST(GetPPS, cutsTrimsAndDefaultsAsThePlatformBufferDoes) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("skyloom-pps-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const Settings settings(dir.string());
    EXPECT_EQ(settings.filePath(), dir.string() + "/skyloom.ini");
    const std::string v120(120, 'v');
    std::ofstream(settings.filePath(), std::ios::binary)
        << "[GAMEDIR]\r\nprogram=" << v120 << "\r\nmaps=\r\n[MISC]\r\nuser=  Gordon   Freeman  \r\n"
        << "company=\"  Black Mesa \"\r\nclan=ab   cd\r\ncity=Caf\xC3\xA9s\r\nold=Caf\xE9s\r\n";
    struct Case {
        const char *section, *key, *def;
        int max;
        std::string expected;
    } cases[] = {
        {"GAMEDIR", "program", "error", 100, v120.substr(0, 99)},
        {"GAMEDIR", "program", "error", 200, v120},
        {"GAMEDIR", "program", "", 50, v120.substr(0, 49)},
        {"gamedir", "maps", "error", 100, ""},   // present but empty is not the default
        {"GAMEDIR", "none", "error", 4, "err"},  // defaults are cut too
        {"GAMEDIR", "program", "error", 1, ""},
        {"GAMEDIR", "program", "error", 0, ""},
        {"MISC", "user", "error", 100, "Gordon   Freeman"},
        {"MISC", "company", "error", 100, "Black Mesa "},  // quotes kept the trailing blank
        {"MISC", "clan", "error", 5, "ab  "},              // a cut ending in blanks keeps them
        {"MISC", "none", "  spaced  ", 100, "spaced"},
        {"MISC", "city", "error", 5, "Caf\xC3\xA9"},  // cuts count characters, not bytes
        {"MISC", "city", "error", 4, "Caf"},
        {"MISC", "old", "error", 5, "Caf\xE9"},  // a Latin-1 byte is one character
        {"NONE", "firstuse", "error!", 200, "error!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings.read(c.section, c.key, c.def, c.max), c.expected)
            << c.key << " " << c.max;
    ASSERT_TRUE(settings.write("MISC", "user", "Barney").ok);
    EXPECT_EQ(settings.read("misc", "USER", "error", 100), "Barney");
    std::filesystem::remove_all(dir);
}
