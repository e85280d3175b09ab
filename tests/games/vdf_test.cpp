#include "games/vdf.h"

#include <gtest/gtest.h>

#include <random>

#include "games/installs.h"

using namespace skyloom;

namespace {

// "key=value" for a value, "key{…}" for a block, children in order.
std::string flat(const VdfNode& node) {
    std::string s;
    for (const VdfNode& c : node.children)
        s += c.block ? c.key + "{" + flat(c) + "}" : c.key + "=" + c.value + ";";
    return s;
}

std::string parsed(std::string_view text) {
    const std::optional<VdfNode> root = parseVdf(text);
    return root ? flat(*root) : "(damaged)";
}

}  // namespace

TEST(Vdf, readsBothLibraryLayoutsEscapesAndCommentsAndRefusesDamage) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n"
         "\t\t\"apps\" { \"70\" \"563402306\" }\n\t}\n}\n",
         "libraryfolders{0{path=/home/p/.local/share/Steam;apps{70=563402306;}}}"},
        {"\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"1\" \"D:\\\\SteamLibrary\" }",
         "LibraryFolders{TimeNextStatsReport=1;1=D:\\SteamLibrary;}"},
        {"// Steam\nAppState { name \"Half-Life \\\"1\\\"\" x \"a\\tb\\q\" [$LINUX] }",
         "AppState{name=Half-Life \"1\";x=a\tb\\q;}"},
        {"", ""},
        {"\"a\" { \"b\" \"c\"", "(damaged)"},  // unclosed block
        {"\"a\" \"b\" }", "(damaged)"},        // stray brace
        {"\"a\"", "(damaged)"},                // key without value
        {"\"a\" \"b", "(damaged)"},            // unterminated string
        {"\"a\" { }  { }", "(damaged)"},       // block without key
        {std::string(40, '{'), "(damaged)"},   // keyless nesting
        {[] {
             std::string deep;
             for (std::size_t i = 0; i <= kVdfMaxDepth; ++i) deep += "k {";
             return deep + std::string(kVdfMaxDepth + 1, '}');
         }(),
         "(damaged)"},
        {"k \"" + std::string(kVdfMaxBytes, 'x') + "\"", "(damaged)"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parsed(text), expected) << text.substr(0, 80);
    EXPECT_EQ(parseVdf("AppState { StateFlags 4 }")->find("appstate")->find("stateflags")->value,
              "4");
}

// Random token soup and mutations of a real file: an answer or a refusal, never a crash, hang or
// runaway allocation (the sanitizers watch); the same for the Windows paths such a file holds.
TEST(Vdf, fuzz_hostileInputNeverCrashes) {
    const std::string sample =
        "\"libraryfolders\" { \"0\" { \"path\" \"/a\\\\b\" \"apps\" { \"70\" \"1\" } } "
        "\"1\" \"/old\" } // end\n";
    const char* const pieces[] = {"{", "}", "\"",   "\\",   "//", "\n",
                                  "k", " ", "[$X]", "\\\"", "\t", ".."};
    std::mt19937 random(12345);
    std::size_t accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        if (round % 2) {
            const std::size_t count = random() % 200;
            for (std::size_t i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
        } else {
            text = sample;
            for (int edits = 1 + random() % 4; edits > 0; --edits) {
                const std::size_t at = random() % (text.size() + 1);
                switch (random() % 3) {
                    case 0:
                        text.insert(at, 1, static_cast<char>(random()));
                        break;
                    case 1:
                        text.erase(at, random() % 8);
                        break;
                    default:
                        text.resize(at);
                }
            }
        }
        if (parseVdf(text)) ++accepted;
        // A library path read from such a file never leads up and out of where it says.
        const std::string unix = wineToUnixPath("/p", "Z:" + text).value_or("/");
        EXPECT_EQ((unix + "/").find("/../"), std::string::npos) << text;
    }
    EXPECT_GT(accepted, 0u);
}
