#pragma once

#include <optional>
#include <string>
#include <string_view>

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

}  // namespace skyloom
