#include "setup/wizard_folders.h"

#include "settings/path_value.h"

namespace skyloom {

WizardFolders deriveWizardFolders(std::string_view tfcFlag, std::string_view maps,
                                  std::string_view tfcmaps, std::string_view program) {
    WizardFolders folders;
    folders.valve = parentFolder(maps);
    if (tfcFlag == "true") folders.tfcdir = parentFolder(tfcmaps);
    folders.dds = parentFolder(program);
    return folders;
}

std::vector<SettingWrite> derivedFolderWrites(std::string_view tfc, std::string_view maps,
                                              std::string_view tfcmaps, std::string_view program) {
    const WizardFolders folders =
        deriveWizardFolders(tfc, maps, tfc == "true" ? tfcmaps : "", program);
    return {{"GAMEDIR", "valve", folders.valve},
            {"GAMEDIR", "tfcdir", folders.tfcdir},
            {"GAMEDIR", "dds", folders.dds}};
}

}  // namespace skyloom
