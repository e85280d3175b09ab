#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/profile_file.h"
#include "without_root_file_access.h"

using namespace skyloom;
namespace fs = std::filesystem;

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("skyloom-profile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "skyloom.ini").string();
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    void put(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
    std::string get() const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(std::string_view section, std::string_view key, std::optional<std::string_view> v) {
        ASSERT_TRUE(writeProfileValue(file, section, key, v).ok);
    }

    fs::path dir;
    std::string file;
};

}  // namespace

TEST(ProfileText, readsWindowsFilesWithAnyCaseCommentsAndQuotes) {
    const std::string text =
        "; written by hand\r\n"
        "\r\n"
        "[gamedir]\r\n"
        "  Program =  C:\\Games\\Half-Life\\hl.exe  \r\n"
        "maps=\"C:\\Games\\Half Life\\valve\\maps\"\r\n"
        "tfcmaps='x'\r\n"
        "odd=\"unbalanced\r\n"
        "empty=\r\n"
        "noequals\r\n"
        "[ MISC ]\r\n"
        "user=Gordon = Freeman\r\n";
    EXPECT_EQ(findProfileValue(text, "GAMEDIR", "program"), "C:\\Games\\Half-Life\\hl.exe");
    EXPECT_EQ(findProfileValue(text, "GameDir", "MAPS"), "C:\\Games\\Half Life\\valve\\maps");
    EXPECT_EQ(findProfileValue(text, "GAMEDIR", "tfcmaps"), "x");
    EXPECT_EQ(findProfileValue(text, "GAMEDIR", "odd"), "\"unbalanced");
    EXPECT_EQ(findProfileValue(text, "GAMEDIR", "empty"), "");
    EXPECT_EQ(findProfileValue(text, "GAMEDIR", "noequals"), std::nullopt);
    EXPECT_EQ(findProfileValue(text, "MISC", "user"), "Gordon = Freeman");
    EXPECT_EQ(findProfileValue(text, "MISC", "program"), std::nullopt);
    EXPECT_EQ(findProfileValue(text, "NOPE", "user"), std::nullopt);
}

TEST(ProfileText, firstOfDuplicateSectionsAndKeysCounts) {
    const std::string text = "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n";
    EXPECT_EQ(findProfileValue(text, "a", "k"), "1");
    EXPECT_EQ(findProfileValue(text, "A", "j"), std::nullopt);
}

TEST(ProfileText, writesKeepOtherLinesByteForByte) {
    const std::string text = "[MISC]\r\nfirstuse=yes\r\n; keep me\r\n\r\n[OTHER]\r\nx = 1\r\n";
    EXPECT_EQ(setProfileValue(text, "misc", "firstuse", "no", "\r\n"),
              "[MISC]\r\nfirstuse=no\r\n; keep me\r\n\r\n[OTHER]\r\nx = 1\r\n");
    // A new key goes after the last line of its section, before the blank line.
    EXPECT_EQ(setProfileValue(text, "MISC", "user", "Gordon", "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep me\r\nuser=Gordon\r\n\r\n[OTHER]\r\nx = 1\r\n");
    EXPECT_EQ(setProfileValue(text, "GAMEDIR", "maps", "/m", "\r\n"), text + "[GAMEDIR]\r\nmaps=/m\r\n");
    EXPECT_EQ(setProfileValue(text, "OTHER", "x", std::nullopt, "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep me\r\n\r\n[OTHER]\r\n");
    EXPECT_EQ(setProfileValue(text, "OTHER", "missing", std::nullopt, "\r\n"), text);
    EXPECT_EQ(setProfileValue(text, "NOSECTION", "x", std::nullopt, "\r\n"), text);
}

TEST(ProfileText, fileWithoutFinalNewlineGetsOneBeforeAppending) {
    EXPECT_EQ(setProfileValue("[MISC]\nuser=a", "MISC", "company", "b", "\n"),
              "[MISC]\nuser=a\ncompany=b\n");
    EXPECT_EQ(setProfileValue("[MISC]\nuser=a", "GAMEDIR", "maps", "m", "\n"),
              "[MISC]\nuser=a\n[GAMEDIR]\nmaps=m\n");
    EXPECT_EQ(setProfileValue("[MISC]\nuser=a", "MISC", "user", "b", "\n"), "[MISC]\nuser=b");
}

TEST_F(ProfileFileTest, completeFirstUseGivesTheTwelveLinesInOrder) {
    put("[MISC]\r\nfirstuse=yes\r\n");
    write("MISC", "user", "Freeman");
    write("MISC", "company", "Black Mesa");
    write("MISC", "tfc", "true");
    write("GAMEDIR", "tfcmaps", "D:\\Games\\tfc\\maps");
    write("GAMEDIR", "program", "C:\\Games\\Half-Life\\hl.exe");
    write("GAMEDIR", "maps", "C:\\Games\\Half-Life\\valve\\maps");
    write("GAMEDIR", "valve", "C:\\Games\\Half-Life\\valve\\");
    write("GAMEDIR", "tfcdir", "D:\\Games\\tfc\\");
    write("GAMEDIR", "dds", "C:\\Games\\Half-Life\\");
    write("MISC", "firstuse", "no");
    EXPECT_EQ(get(),
              "[MISC]\r\n"
              "firstuse=no\r\n"
              "user=Freeman\r\n"
              "company=Black Mesa\r\n"
              "tfc=true\r\n"
              "[GAMEDIR]\r\n"
              "tfcmaps=D:\\Games\\tfc\\maps\r\n"
              "program=C:\\Games\\Half-Life\\hl.exe\r\n"
              "maps=C:\\Games\\Half-Life\\valve\\maps\r\n"
              "valve=C:\\Games\\Half-Life\\valve\\\r\n"
              "tfcdir=D:\\Games\\tfc\\\r\n"
              "dds=C:\\Games\\Half-Life\\\r\n");
}

TEST_F(ProfileFileTest, newFileGetsPlatformLineEndingsAndReadingCreatesNothing) {
    EXPECT_EQ(readProfileValue(file, "MISC", "firstuse"), std::nullopt);
    EXPECT_FALSE(fs::exists(file));
    write("MISC", "tfc", std::nullopt);  // removing from nothing creates nothing
    EXPECT_FALSE(fs::exists(file));
    write("MISC", "firstuse", "no");
    EXPECT_EQ(get(), "[MISC]\nfirstuse=no\n");
    EXPECT_EQ(readProfileValue(file, "misc", "FIRSTUSE"), "no");
}

TEST_F(ProfileFileTest, lineBreaksInValuesOrNamesAreRefused) {
    put("[MISC]\nuser=a\n");
    for (std::string_view bad : {std::string_view("b\n[GAMEDIR]\nprogram=/bin/sh"),
                                 std::string_view("b\r"), std::string_view("b\0c", 3)}) {
        ProfileWriteResult r = writeProfileValue(file, "MISC", "user", bad);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.reason.empty());
    }
    EXPECT_FALSE(writeProfileValue(file, "MISC", "us\ner", "x").ok);
    EXPECT_FALSE(writeProfileValue(file, "MI]SC", "user", "x").ok);
    EXPECT_FALSE(writeProfileValue(file, "MISC", "us=er", "x").ok);
    EXPECT_EQ(get(), "[MISC]\nuser=a\n");
}

TEST_F(ProfileFileTest, failedWriteIsReportedAndLeavesTheFileWhole) {
    put("[MISC]\nuser=a\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    ProfileWriteResult r;
    {
        test::WithoutRootFileAccess asAPlayer;
        r = writeProfileValue(file, "MISC", "user", "b");
    }
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("Permission denied"), std::string::npos);
    EXPECT_EQ(get(), "[MISC]\nuser=a\n");
}

TEST_F(ProfileFileTest, writeIntoMissingFolderIsReported) {
    ProfileWriteResult r = writeProfileValue((dir / "gone" / "skyloom.ini").string(), "MISC", "a", "b");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("No such file or directory"), std::string::npos);
}

TEST_F(ProfileFileTest, writeLeavesNoTemporaryFileAndKeepsPermissions) {
    put("[MISC]\nuser=a\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    write("MISC", "user", "b");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ProfileFileTest, malformedFilesReadWithoutCrash) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xff);
    put(binary + "\n[MISC]\nuser=x\n");
    EXPECT_EQ(readProfileValue(file, "MISC", "user"), "x");

    put(std::string("[MISC]\nuser=a\0b\ncompany=c\n", 27));
    EXPECT_EQ(readProfileValue(file, "MISC", "company"), "c");

    put("[MISC]\nuser=" + std::string(100000, 'u') + "\ncompany=c");
    EXPECT_EQ(readProfileValue(file, "MISC", "user")->size(), 100000u);
    EXPECT_EQ(readProfileValue(file, "MISC", "company"), "c");

    std::string big;
    big.reserve(50u << 20);
    while (big.size() < (50u << 20)) big += "junk line without meaning\n";
    put("[MISC]\n" + big + "tfc=true\n");
    EXPECT_EQ(readProfileValue(file, "MISC", "tfc"), "true");
    write("MISC", "tfc", "false");
    EXPECT_EQ(readProfileValue(file, "MISC", "tfc"), "false");
    EXPECT_EQ(fs::file_size(file), 7 + big.size() + 10);
}

TEST_F(ProfileFileTest, aFolderInPlaceOfTheFileReadsAsMissing) {
    fs::create_directories(file);
    EXPECT_EQ(readProfileValue(file, "MISC", "user"), std::nullopt);
    EXPECT_FALSE(writeProfileValue(file, "MISC", "user", "x").ok);
}
