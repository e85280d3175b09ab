#include "setup/wizard_folders.h"

#include <gtest/gtest.h>

#include "setup/folder_lists.h"

using skyloom::deriveWizardFolders;

TEST(DriveList, offersThePlayersVolumesAndRemovableMedia) {
    const std::tuple<const char*, const char*, bool> volumes[] = {
        {"/", "ext4", false},
        {"/run/media/p/USB", "vfat", false},
        {"/media/p/disk", "ntfs", false},
        {"/run/user/1000", "tmpfs", true},
        {"/proc", "proc", true},
        {"/snap/core/1", "squashfs", true},
        {"/dev/shm", "tmpfs", true},
        {"/var/snap/x", "ext4", true}};
    for (const auto& [root, type, pseudo] : volumes)
        EXPECT_EQ(skyloom::isPseudoVolume(root, type), pseudo) << root;
}

TEST(WizardFolders, comeFromPathComponentsAndTfcdirOnlyForExactlyTrue) {
    // {tfc, maps, tfcmaps, program, "valve|tfcdir|dds"}; "-": no tfcdir, the key is removed.
    const char* const cases[][5] = {
        {"true", "/g/H L/valve/maps", "/g/tfc/maps", "/g/H L/hl.exe",
         "/g/H L/valve/|/g/tfc/|/g/H L/"},
        {"true", "/g/valve/maps/", "/g/tfc/maps//", "/g/hl_linux", "/g/valve/|/g/tfc/|/g/"},
        {"true", "/games/levels", "error", "error", "/games/||"},
        {"false", "/v/maps", "/t/maps", "/h/hl.sh", "/v/|-|/h/"},
        {"True", "/v/maps", "/t/maps", "/h/hl.exe", "/v/|-|/h/"},
        {"", "maps", "maps", "hl.exe", "|-|"},
    };
    for (const auto& [tfc, maps, tfcmaps, program, expected] : cases) {
        const auto f = deriveWizardFolders(tfc, maps, tfcmaps, program);
        EXPECT_EQ(f.valve + "|" + f.tfcdir.value_or("-") + "|" + f.dds, expected) << maps;
    }
}
