#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/get_pps.h"
#include "settings/settings.h"

using namespace skyloom;
namespace fs = std::filesystem;

namespace {

class GetPPSTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("skyloom-getpps-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        file = (dir / "skyloom.ini").string();
        fs::remove(file);
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

    fs::path dir;
    std::string file;
};

}  // namespace

TEST_F(GetPPSTest, missingFileSectionOrKeyGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(GetPPS("MISC", "firstuse", "error", 100, file), "error");
    EXPECT_FALSE(fs::exists(file));
    put("[MISC]\nuser=a\n");
    EXPECT_EQ(GetPPS("MISC", "firstuse", "error", 100, file), "error");
    EXPECT_EQ(GetPPS("GAMEDIR", "valve", "error!", 200, file), "error!");
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "", 50, file), "");
}

TEST_F(GetPPSTest, emptyValueIsNotTheDefault) {
    put("[GAMEDIR]\nmaps=\n");
    EXPECT_EQ(GetPPS("GAMEDIR", "maps", "error", 100, file), "");
}

TEST_F(GetPPSTest, valuesAndDefaultsAreCutToMaxMinusOne) {
    const std::string v120(120, 'v');
    put("[GAMEDIR]\nprogram=" + v120 + "\n");
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "error", 100, file), v120.substr(0, 99));
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "error", 200, file), v120);
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "", 50, file), v120.substr(0, 49));
    EXPECT_EQ(GetPPS("GAMEDIR", "nokey", "error", 4, file), "err");
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "error", 1, file), "");
    EXPECT_EQ(GetPPS("GAMEDIR", "program", "error", 0, file), "");
}

TEST_F(GetPPSTest, blanksAroundGoBlanksInsideStay) {
    put("[MISC]\nuser=  Gordon   Freeman  \ncompany=\"  Black Mesa \"\nclan=ab   cd\n");
    EXPECT_EQ(GetPPS("MISC", "user", "error", 100, file), "Gordon   Freeman");
    // Quotes keep blanks from the platform; the leading ones still go, the trailing stay.
    EXPECT_EQ(GetPPS("MISC", "company", "error", 100, file), "Black Mesa ");
    // A cut that ends in blanks keeps them.
    EXPECT_EQ(GetPPS("MISC", "clan", "error", 5, file), "ab  ");
    EXPECT_EQ(GetPPS("MISC", "none", "  spaced  ", 100, file), "spaced");
}

TEST_F(GetPPSTest, sectionSpellingsFindTheSameValues) {
    put("[GAMEDIR]\r\nmaps=C:\\maps\r\n");
    EXPECT_EQ(GetPPS("gamedir", "maps", "error", 100, file), "C:\\maps");
    EXPECT_EQ(GetPPS("GAMEDIR", "MAPS", "error", 100, file), "C:\\maps");
}

TEST_F(GetPPSTest, settingsReadWhatWasJustWritten) {
    const Settings settings(dir.string());
    EXPECT_EQ(settings.filePath(), dir.string() + "/skyloom.ini");
    put("[MISC]\r\nfirstuse=yes\r\nuser=a\r\n");
    ASSERT_TRUE(settings.write("MISC", "firstuse", "no").ok);
    EXPECT_EQ(settings.read("MISC", "firstuse", "error", 100), "no");
    EXPECT_EQ(settings.read("MISC", "user", "error", 100), "a");
    std::ifstream in(file, std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(all, "[MISC]\r\nfirstuse=no\r\nuser=a\r\n");
}
