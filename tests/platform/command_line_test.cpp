#include "platform/command_line.h"

#include <gtest/gtest.h>

using namespace skyloom;
using Args = std::vector<std::string>;

TEST(Arguments, splitAtBlanksOutsideQuotesQtsOptionsTakenApartRefusedCharactersNamed) {
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
        {"+map x; touch `id` $HOME | cat", {"+map", "x;", "touch", "`id`", "$HOME", "|", "cat"}},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(splitArguments(line), expected) << line;
    // Qt's options go to Qt wherever they stand, never a value of the program's own; the first
    // option of neither is named as typed.
    const struct {
        Args given, own, toolkit;
        const char* unknown;
    } sorts[] = {
        {{"-style", "Fusion", "--preset", "-reverse", "-platform=xcb"},
         {"--preset", "-reverse"},
         {"-style", "Fusion", "-platform", "xcb"},
         ""},
        {{"--reverse", "--preset=-style", "x", "--style=kvantum"},
         {"--preset=-style", "x"},
         {"-reverse", "-style", "kvantum"},
         ""},
        {{"-stylesheet", "a.qss", "-h", "-?", "-v", "--help-all"},
         {"a.qss", "-h", "-?", "-v", "--help-all"},
         {},
         "-stylesheet"},
        {{"-settings", "--bogus"}, {}, {}, "-settings"},
        {{"--settings", "-style", "--", "-reverse"},
         {"--settings", "-style", "--", "-reverse"},
         {},
         ""},
        {{"-reverse=1", "--find-game", "-"}, {"--find-game", "-"}, {}, "-reverse=1"},
    };
    for (const auto& c : sorts) {
        const ProgramArguments sorted =
            sortArguments(c.given, {"settings", "preset"}, {"help-all", "find-game"});
        EXPECT_EQ(sorted.own, c.own) << c.given[0];
        EXPECT_EQ(sorted.toolkit, c.toolkit) << c.given[0];
        EXPECT_EQ(sorted.unknown, c.unknown) << c.given[0];
    }
    // A refused character is named whole, so a player can see which one it is (the map name and
    // server value tests show the others).
    const std::pair<const char*, const char*> characters[] = {
        {"\xE2\x80\x8B", "an invisible character (U+200B)"},
        {"e", "the character e"},
        {"\xE9t\xE9", "a byte that is not text (0xE9)"},
        {"\xC3", "a byte that is not text (0xC3)"},
        {"\xE0\x80\x80", "a byte that is not text (0xE0)"},
    };
    for (const auto& [text, name] : characters) EXPECT_EQ(nameOfCharacter(text), name) << text;
}
