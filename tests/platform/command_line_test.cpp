#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <set>

using namespace skyloom;
using Args = std::vector<std::string>;

TEST(SplitArguments, blanksSeparateQuotesGroup) {
    EXPECT_EQ(splitArguments("+deathmatch 1  +map\tcrossfire"),
              (Args{"+deathmatch", "1", "+map", "crossfire"}));
    EXPECT_EQ(splitArguments(R"(-game "my mod" "" a"b c"d)"),
              (Args{"-game", "my mod", "", "ab cd"}));
    EXPECT_EQ(splitArguments("   "), Args{});
    EXPECT_EQ(splitArguments(R"("unclosed quote)"), Args{"unclosed quote"});
    EXPECT_EQ(splitArguments(R"("say ""hi""")"), Args{R"(say "hi")"});
}

TEST(SplitArguments, backslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(splitArguments(R"(C:\Games\valve\ a\\b)"), (Args{R"(C:\Games\valve\)", R"(a\\b)"}));
    EXPECT_EQ(splitArguments(R"(a\"b)"), Args{R"(a"b)"});        // 2n+1: literal quote
    EXPECT_EQ(splitArguments(R"(a\\"b c")"), Args{R"(a\b c)"});  // 2n: quote toggles
    EXPECT_EQ(splitArguments(R"(a\\\"b)"), Args{R"(a\"b)"});
    EXPECT_EQ(splitArguments(R"("C:\Half Life\\" x)"), (Args{R"(C:\Half Life\)", "x"}));
}

TEST(ParseCommandLine, unquotedProgramWithBlanksTakesTheShortestExistingPrefix) {
    const std::set<std::string> files{"/games/Half Life/hl.exe"};
    auto exists = [&](const std::string& p) { return files.count(p) != 0; };
    CommandLine c =
        parseCommandLine("/games/Half Life/hl.exe -console +connect 1.2.3.4:27015", exists);
    EXPECT_EQ(c.program, "/games/Half Life/hl.exe");
    EXPECT_EQ(c.arguments, (Args{"-console", "+connect", "1.2.3.4:27015"}));

    // A file named like a shorter prefix wins, as on Windows.
    const std::set<std::string> both{"/games/Half", "/games/Half Life/hl.exe"};
    c = parseCommandLine("/games/Half Life/hl.exe -dev",
                         [&](const std::string& p) { return both.count(p) != 0; });
    EXPECT_EQ(c.program, "/games/Half");
    EXPECT_EQ(c.arguments, (Args{"Life/hl.exe", "-dev"}));
}

TEST(ParseCommandLine, nothingExistingLeavesTheProgramLikePrefixOrFirstWord) {
    CommandLine c =
        parseCommandLine("error +deathmatch 1", [](const std::string&) { return false; });
    EXPECT_EQ(c.program, "error");
    EXPECT_EQ(c.arguments, (Args{"+deathmatch", "1"}));
    c = parseCommandLine("/games/Half Life/HL.EXE -console",
                         [](const std::string&) { return false; });
    EXPECT_EQ(c.program, "/games/Half Life/HL.EXE");  // named whole in a failure message
    EXPECT_EQ(c.arguments, Args{"-console"});
    c = parseCommandLine("hl.exe", [](const std::string&) { return false; });
    EXPECT_EQ(c.program, "hl.exe");
    EXPECT_TRUE(c.arguments.empty());
}

TEST(ParseCommandLine, wholeLineCanBeTheProgram) {
    auto exists = [](const std::string& p) { return p == "/games/Half Life/hl.exe"; };
    CommandLine c = parseCommandLine("/games/Half Life/hl.exe", exists);
    EXPECT_EQ(c.program, "/games/Half Life/hl.exe");
    EXPECT_TRUE(c.arguments.empty());
}

TEST(ParseCommandLine, quotedProgramEndsAtItsQuote) {
    CommandLine c = parseCommandLine(R"(  "/games/Half Life/hl.exe" -game "my mod")",
                                     [](const std::string&) { return false; });
    EXPECT_EQ(c.program, "/games/Half Life/hl.exe");
    EXPECT_EQ(c.arguments, (Args{"-game", "my mod"}));
}

TEST(ParseCommandLine, shellCharactersAreOnlyArguments) {
    CommandLine c = parseCommandLine("hl.exe +map x; touch pwned && rm -rf $HOME | cat `id`",
                                     [](const std::string& p) { return p == "hl.exe"; });
    EXPECT_EQ(c.program, "hl.exe");
    EXPECT_EQ(c.arguments, (Args{"+map", "x;", "touch", "pwned", "&&", "rm", "-rf", "$HOME", "|",
                                 "cat", "`id`"}));
}
