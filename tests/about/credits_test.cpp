#include "about/credits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace skyloom;

namespace {

const int kHeight = 8100;   // a text 540 pixels high
const int kRestart = 3180;  // the bottom of the picture

std::vector<std::string> creditLines() {
    const std::string text = creditsText();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& line) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return i;
    ADD_FAILURE() << "no line \"" << line << "\"";
    return lines.size();
}

}  // namespace

TEST(CreditsScroll, movesUp27TwipsPerTick) {
    EXPECT_EQ(nextCreditsTop(kRestart, kHeight, kRestart), kRestart - 27);
    EXPECT_EQ(nextCreditsTop(0, kHeight, kRestart), -27);
    EXPECT_EQ(nextCreditsTop(-8000, kHeight, kRestart), -8027);
}

TEST(CreditsScroll, restartsOnlyOnceTopIsBelowMinusHeight) {
    // Landing exactly on minus the height, or just above it, keeps going.
    EXPECT_EQ(nextCreditsTop(-kHeight + 27, kHeight, kRestart), -kHeight);
    EXPECT_EQ(nextCreditsTop(-kHeight + 28, kHeight, kRestart), -kHeight + 1);
    // One twip further and the text re-enters at the bottom of the picture.
    EXPECT_EQ(nextCreditsTop(-kHeight + 26, kHeight, kRestart), kRestart);
    EXPECT_EQ(nextCreditsTop(-kHeight, kHeight, kRestart), kRestart);
}

TEST(CreditsScroll, cyclesBetweenBottomOfPictureAndMinusHeight) {
    int top = kRestart;
    int ticks = 0;
    do {
        top = nextCreditsTop(top, kHeight, kRestart);
        ASSERT_GE(top, -kHeight);
        ASSERT_LE(top, kRestart);
        ++ticks;
    } while (top != kRestart && ticks < 10000);
    // Every 27-twip step from 3180 down to the last top not below -8100, then the restart.
    EXPECT_EQ(ticks, (kRestart + kHeight) / 27 + 1);
}

TEST(CreditsScroll, pixelsRoundDownAt15TwipsEach) {
    const std::pair<int, int> cases[] = {{0, 0},      {14, 0},      {15, 1},   {3180, 212},
                                         {3153, 210}, {-1, -1},     {-15, -1}, {-16, -2},
                                         {-27, -2},   {-8100, -540}};
    for (auto [twips, pixels] : cases) EXPECT_EQ(twipsToPixels(twips), pixels) << twips;
}

TEST(CreditsText, everyLineEndsWithCarriageReturnAndLineFeed) {
    const std::string text = creditsText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::size_t pairs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++pairs;
    EXPECT_GT(pairs, 20u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), pairs);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), pairs);
}

TEST(CreditsText, hasHeadingCodersMiscSitesAndClosingNote) {
    const auto lines = creditLines();
    const auto isRule = [](const std::string& l) {
        return !l.empty() && l.find_first_not_of('=') == std::string::npos;
    };
    const std::size_t heading = indexOf(lines, "Skyloom 2.0 credits");
    ASSERT_GT(heading, 0u);
    EXPECT_TRUE(isRule(lines[heading - 1]));
    EXPECT_TRUE(isRule(lines[heading + 1]));

    // Four coders, each followed by an empty line.
    const std::size_t coders = indexOf(lines, "CODERS ");
    const std::size_t misc = indexOf(lines, "MISC");
    std::vector<std::string> names;
    for (std::size_t i = coders + 1; i < misc; ++i)
        if (!lines[i].empty()) {
            names.push_back(lines[i]);
            EXPECT_EQ(lines[i + 1], "") << lines[i];
        }
    EXPECT_EQ(names.size(), 4u);

    // Five roles in this order, each "role : name".
    const char* roles[] = {"Project leader", "English site", "French site", "2D Artist", "Generic"};
    std::size_t at = misc;
    for (const char* role : roles) {
        while (at < lines.size() && lines[at].rfind(std::string(role) + " : ", 0) != 0) ++at;
        ASSERT_LT(at, lines.size()) << role;
        EXPECT_GT(lines[at].size(), std::string(role).size() + 3) << role;
    }

    // Three addresses, all in the reserved example domain, so none is someone else's site.
    const std::size_t sites = indexOf(lines, "Official sites ");
    EXPECT_GT(sites, at);
    std::vector<std::string> addresses;
    for (std::size_t i = sites + 1; i < lines.size() && !isRule(lines[i]); ++i)
        if (!lines[i].empty()) addresses.push_back(lines[i]);
    ASSERT_EQ(addresses.size(), 3u);
    for (const auto& a : addresses) EXPECT_NE(a.find(".example/"), std::string::npos) << a;

    // The closing note, framed by rules, gives a contact.
    std::vector<std::size_t> rules;
    for (std::size_t i = sites; i < lines.size(); ++i)
        if (isRule(lines[i])) rules.push_back(i);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[1], lines.size() - 1);
    bool contact = false;
    for (std::size_t i = rules[0] + 1; i < rules[1]; ++i)
        contact = contact || lines[i].find("@skyloom.example") != std::string::npos;
    EXPECT_TRUE(contact);
}
