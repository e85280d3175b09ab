#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/save_settings.h"

namespace skyloom {

// The folders the wizard's last page derives from the stored paths: the folder above each maps
// folder and the folder of the program, each ending in a separator so a file name can follow.
struct WizardFolders {
    std::string valve;
    std::optional<std::string> tfcdir;  // nothing: the key is removed
    std::string dds;
};

WizardFolders deriveWizardFolders(std::string_view tfcFlag, std::string_view maps,
                                  std::string_view tfcmaps, std::string_view program);

// The writes of `valve`, `tfcdir` (or its removal) and `dds` derived from the paths, so every
// window that saves the paths keeps the folders the Deathmatch Maker writes into true. `tfcmaps`
// counts only when `tfc` is "true".
std::vector<SettingWrite> derivedFolderWrites(std::string_view tfc, std::string_view maps,
                                              std::string_view tfcmaps, std::string_view program);

}  // namespace skyloom
