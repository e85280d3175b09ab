#include "setup/wizard_folders.h"

#include <gtest/gtest.h>

using skyloom::deriveWizardFolders;
using skyloom::withoutLast;

TEST(WizardFolders, cutsMapsAndProgramKeepingTheSeparator) {
    const auto win = deriveWizardFolders("true", R"(C:\Games\Half-Life\valve\maps)",
                                         R"(D:\Games\tfc\maps)", R"(C:\Games\Half-Life\hl.exe)");
    EXPECT_EQ(win.valve, R"(C:\Games\Half-Life\valve\)");
    EXPECT_EQ(win.tfcdir, R"(D:\Games\tfc\)");
    EXPECT_EQ(win.dds, R"(C:\Games\Half-Life\)");

    const auto unix = deriveWizardFolders("true", "/games/Half Life/valve/maps", "/games/tfc/maps",
                                          "/games/Half Life/hl.exe");
    EXPECT_EQ(unix.valve, "/games/Half Life/valve/");
    EXPECT_EQ(unix.tfcdir, "/games/tfc/");
    EXPECT_EQ(unix.dds, "/games/Half Life/");
}

TEST(WizardFolders, tfcdirOnlyWhenTheFlagIsExactlyTrue) {
    for (const char* flag : {"false", "True", "error", ""})
        EXPECT_EQ(deriveWizardFolders(flag, "/v/maps", "/t/maps", "/h/hl.exe").tfcdir, std::nullopt)
            << flag;
}

TEST(WizardFolders, cutsCharactersNotSeparators) {
    // A folder not named "maps" loses its last four characters all the same.
    const auto odd = deriveWizardFolders("true", "/games/levels", "error", "error");
    EXPECT_EQ(odd.valve, "/games/le");
    EXPECT_EQ(odd.tfcdir, "e");
    EXPECT_EQ(odd.dds, "");
}

TEST(WizardFolders, valuesTooShortToCutGiveEmptyValues) {
    const auto shortValues = deriveWizardFolders("true", "map", "maps", "hl.ex");
    EXPECT_EQ(shortValues.valve, "");
    EXPECT_EQ(shortValues.tfcdir, "");
    EXPECT_EQ(shortValues.dds, "");
    EXPECT_EQ(withoutLast("", 4), "");
    EXPECT_EQ(withoutLast("abc", 0), "abc");
}

TEST(WizardFolders, cutsWholeCharactersOfUtf8Text) {
    // "données" ends in é, e, s: cutting three removes both bytes of é, never one.
    EXPECT_EQ(withoutLast("/données", 3), "/donn");
    EXPECT_EQ(withoutLast("/jeux/été/maps", 4), "/jeux/été/");
    EXPECT_EQ(withoutLast("éèàù", 4), "");
    EXPECT_EQ(withoutLast("aé", 1), "a");
}
