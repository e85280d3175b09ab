#include "settings/profile_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/get_pps.h"
#include "without_root_file_access.h"

using namespace skyloom;
namespace fs = std::filesystem;

TEST(ProfileText, readsWindowsFilesWithAnyCaseCommentsAndQuotes) {
    const std::string text =
        "; by hand\r\n\r\n[gamedir]\r\n  Program =  C:\\hl\\hl.exe  \r\nmaps=\"C:\\Half "
        "Life\\maps\"\r\n"
        "t='x'\r\nodd=\"unbalanced\r\nempty=\r\nnoequals\r\n[ MISC ]\r\nuser=a = "
        "b\r\n[A]\r\nk=1\r\n"
        "k=2\r\n[a]\r\nj=3\r\n";
    const std::pair<std::pair<const char*, const char*>, std::optional<std::string>> cases[] = {
        {{"GAMEDIR", "program"}, "C:\\hl\\hl.exe"},
        {{"GameDir", "MAPS"}, "C:\\Half Life\\maps"},
        {{"gamedir", "t"}, "x"},
        {{"GAMEDIR", "odd"}, "\"unbalanced"},
        {{"GAMEDIR", "empty"}, ""},
        {{"GAMEDIR", "noequals"}, std::nullopt},
        {{"MISC", "user"}, "a = b"},
        {{"MISC", "program"}, std::nullopt},
        {{"NONE", "user"}, std::nullopt},
        {{"a", "k"}, "1"},  // the first section and key count
        {{"A", "j"}, std::nullopt}};
    for (const auto& [where, expected] : cases)
        EXPECT_EQ(findProfileValue(text, where.first, where.second), expected) << where.second;
}

TEST(ProfileText, writesChangeOnlyTheirLine) {
    const std::string t = "[MISC]\r\nfirstuse=yes\r\n; keep\r\n\r\n[OTHER]\r\nx = 1\r\n";
    EXPECT_EQ(setProfileValue(t, "misc", "FIRSTUSE", "no", "\r\n"),
              "[MISC]\r\nfirstuse=no\r\n; keep\r\n\r\n[OTHER]\r\nx = 1\r\n");
    EXPECT_EQ(setProfileValue(t, "MISC", "user", "G", "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep\r\nuser=G\r\n\r\n[OTHER]\r\nx = 1\r\n");
    EXPECT_EQ(setProfileValue(t, "NEW", "k", "v", "\r\n"), t + "[NEW]\r\nk=v\r\n");
    EXPECT_EQ(setProfileValue(t, "OTHER", "x", std::nullopt, "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep\r\n\r\n[OTHER]\r\n");
    EXPECT_EQ(setProfileValue(t, "OTHER", "none", std::nullopt, "\r\n"), t);
    EXPECT_EQ(setProfileValue("[M]\nu=a", "M", "c", "b", "\n"), "[M]\nu=a\nc=b\n");
    EXPECT_EQ(setProfileValue("[M]\nu=a", "N", "c", "b", "\n"), "[M]\nu=a\n[N]\nc=b\n");
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("skyloom-ini-" + std::to_string(::getpid()) + "-" +
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
        std::ostringstream s;
        s << std::ifstream(file, std::ios::binary).rdbuf();
        return s.str();
    }
    void write(const char* section, const char* key, std::optional<std::string_view> v) {
        ASSERT_TRUE(writeProfileValue(file, section, key, v).ok);
    }

    fs::path dir;
    std::string file;
};

TEST_F(ProfileFileTest, completeFirstUseGivesTheTwelveLinesInOrder) {
    put("[MISC]\r\nfirstuse=yes\r\n");
    write("MISC", "user", "Freeman");
    write("MISC", "company", "Black Mesa");
    write("MISC", "tfc", "true");
    write("GAMEDIR", "tfcmaps", "D:\\tfc\\maps");
    write("GAMEDIR", "program", "C:\\HL\\hl.exe");
    write("GAMEDIR", "maps", "C:\\HL\\valve\\maps");
    write("gamedir", "valve", "C:\\HL\\valve\\");
    write("GAMEDIR", "tfcdir", "D:\\tfc\\");
    write("GAMEDIR", "dds", "C:\\HL\\");
    write("MISC", "firstuse", "no");
    EXPECT_EQ(get(),
              "[MISC]\r\nfirstuse=no\r\nuser=Freeman\r\ncompany=Black Mesa\r\ntfc=true\r\n"
              "[GAMEDIR]\r\ntfcmaps=D:\\tfc\\maps\r\nprogram=C:\\HL\\hl.exe\r\n"
              "maps=C:\\HL\\valve\\maps\r\nvalve=C:\\HL\\valve\\\r\ntfcdir=D:\\tfc\\\r\n"
              "dds=C:\\HL\\\r\n");
    EXPECT_EQ(GetPPS("gamedir", "dds", "error", 100, file), "C:\\HL\\");
}

TEST_F(ProfileFileTest, readingCreatesNothingAndANewFileGetsPlatformLineEnds) {
    EXPECT_EQ(GetPPS("MISC", "firstuse", "error", 100, file), "error");
    write("MISC", "tfc", std::nullopt);
    EXPECT_FALSE(fs::exists(file));
    write("MISC", "firstuse", "no");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    write("MISC", "user", "a");
    EXPECT_EQ(get(), "[MISC]\nfirstuse=no\nuser=a\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileTest, forgedLinesAndFailedWritesAreRefusedLeavingTheFileWhole) {
    put("[MISC]\nuser=a\n");
    const std::string nul("b\0c", 3);
    for (std::string_view bad : {std::string_view("b\n[GAMEDIR]\nprogram=/bin/sh"),
                                 std::string_view("b\r"), std::string_view(nul)})
        EXPECT_FALSE(writeProfileValue(file, "MISC", "user", bad).ok);
    EXPECT_FALSE(writeProfileValue(file, "MISC", "us\ner", "x").ok);
    EXPECT_FALSE(writeProfileValue(file, "MI]SC", "user", "x").ok);
    EXPECT_FALSE(writeProfileValue(file, "MISC", "us=er", "x").ok);

    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    {
        test::WithoutRootFileAccess asAPlayer;
        ProfileWriteResult r = writeProfileValue(file, "MISC", "user", "b");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find("Permission denied"), std::string::npos) << r.reason;
    }
    EXPECT_EQ(get(), "[MISC]\nuser=a\n");
    ProfileWriteResult missing = writeProfileValue((dir / "no" / "x.ini").string(), "M", "a", "b");
    EXPECT_NE(missing.reason.find("No such file or directory"), std::string::npos);
}

TEST_F(ProfileFileTest, malformedFilesReadWithoutCrash) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xff);
    put(binary + "\n[MISC]\nuser=" + std::string(100000, 'u') + std::string("\0\n", 2) + "tfc=1");
    EXPECT_EQ(readProfileValue(file, "MISC", "user")->size(), 100001u);
    EXPECT_EQ(readProfileValue(file, "MISC", "tfc"), "1");

    std::string big;
    while (big.size() < (50u << 20)) big += "junk line without meaning\n";
    put("[MISC]\n" + big + "tfc=true\n");
    write("MISC", "tfc", "false");
    EXPECT_EQ(GetPPS("MISC", "tfc", "error", 100, file), "false");
    EXPECT_EQ(fs::file_size(file), 7 + big.size() + 10);

    fs::remove(file);
    fs::create_directories(file);  // a folder where the file should be
    EXPECT_EQ(GetPPS("MISC", "user", "error", 100, file), "error");
}
