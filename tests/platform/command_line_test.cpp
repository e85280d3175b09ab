#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <set>

using namespace skyloom;
using Args = std::vector<std::string>;

TEST(SplitArguments, blanksSeparateQuotesGroupBackslashesCountOnlyBeforeAQuote) {
    const std::pair<const char*, Args> cases[] = {
        {"+deathmatch 1  +map\tcrossfire", {"+deathmatch", "1", "+map", "crossfire"}},
        {R"(-game "my mod" "" a"b c"d)", {"-game", "my mod", "", "ab cd"}},
        {"   ", {}},
        {R"("unclosed quote)", {"unclosed quote"}},
        {R"("say ""hi""")", {R"(say "hi")"}},
        {R"(C:\Games\valve\ a\\b)", {R"(C:\Games\valve\)", R"(a\\b)"}},
        {R"(a\"b)", {R"(a"b)"}},        // 2n+1: literal quote
        {R"(a\\"b c")", {R"(a\b c)"}},  // 2n: quote toggles
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"("C:\Half Life\\" x)", {R"(C:\Half Life\)", "x"}},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(splitArguments(line), expected) << line;
}

// An unquoted program with blanks is the shortest existing prefix, as on Windows; with nothing
// existing, the program-like prefix (named whole in a failure message) or the first word.
TEST(ParseCommandLine, programIsTheQuotedOrShortestExistingPrefixShellCharactersOnlyArguments) {
    const std::string hl = "/games/Half Life/hl.exe";
    const struct {
        std::string line;
        std::set<std::string> files;
        Args expected;  // the program, then its arguments
    } cases[] = {
        {hl + " -console +connect 1.2.3.4:27015",
         {hl},
         {hl, "-console", "+connect", "1.2.3.4:27015"}},
        {hl + " -dev", {"/games/Half", hl}, {"/games/Half", "Life/hl.exe", "-dev"}},
        {hl, {hl}, {hl}},
        {"error +deathmatch 1", {}, {"error", "+deathmatch", "1"}},
        {"/games/Half Life/HL.EXE -console", {}, {"/games/Half Life/HL.EXE", "-console"}},
        {"hl.exe", {}, {"hl.exe"}},
        {"  \"" + hl + "\" -game \"my mod\"", {}, {hl, "-game", "my mod"}},
        {"hl.exe +map x; touch pwned && rm -rf $HOME | cat `id`",
         {"hl.exe"},
         {"hl.exe", "+map", "x;", "touch", "pwned", "&&", "rm", "-rf", "$HOME", "|", "cat",
          "`id`"}},
    };
    for (const auto& c : cases) {
        const CommandLine parsed =
            parseCommandLine(c.line, [&](const std::string& p) { return c.files.count(p) != 0; });
        Args seen{parsed.program};
        seen.insert(seen.end(), parsed.arguments.begin(), parsed.arguments.end());
        EXPECT_EQ(seen, c.expected) << c.line;
    }
}
