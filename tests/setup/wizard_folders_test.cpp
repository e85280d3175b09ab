#include "setup/wizard_folders.h"

#include <gtest/gtest.h>

using skyloom::deriveWizardFolders;
using skyloom::withoutLast;

TEST(WizardFolders, cutWholeCharactersOffTheEndAndKeepTfcdirOnlyForExactlyTrue) {
    // {tfc, maps, tfcmaps, program, "valve|tfcdir|dds"}; "-": no tfcdir, the key is removed.
    const char* const cases[][5] = {
        {"true", R"(C:\HL\valve\maps)", R"(D:\tfc\maps)", R"(C:\HL\hl.exe)",
         R"(C:\HL\valve\|D:\tfc\|C:\HL\)"},
        {"true", "/g/H L/valve/maps", "/g/tfc/maps", "/g/H L/hl.exe",
         "/g/H L/valve/|/g/tfc/|/g/H L/"},
        {"true", "/games/levels", "error", "error", "/games/le|e|"},
        {"true", "map", "maps", "hl.ex", "||"},
        {"false", "/v/maps", "/t/maps", "/h/hl.exe", "/v/|-|/h/"},
        {"True", "/v/maps", "/t/maps", "/h/hl.exe", "/v/|-|/h/"},
        {"", "/v/maps", "/t/maps", "/h/hl.exe", "/v/|-|/h/"},
    };
    for (const auto& [tfc, maps, tfcmaps, program, expected] : cases) {
        const auto f = deriveWizardFolders(tfc, maps, tfcmaps, program);
        EXPECT_EQ(f.valve + "|" + f.tfcdir.value_or("-") + "|" + f.dds, expected) << tfc;
    }

    EXPECT_EQ(withoutLast("/données", 3), "/donn");
    EXPECT_EQ(withoutLast("/jeux/été/maps", 4), "/jeux/été/");
    EXPECT_EQ(withoutLast("aé", 1), "a");
    EXPECT_EQ(withoutLast("éèàù", 4), "");
    EXPECT_EQ(withoutLast("abc", 0), "abc");
}
