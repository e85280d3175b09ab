#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// The value without its last `count` characters (UTF-8 characters, not bytes). A value too
// short to cut gives the empty value.
std::string withoutLast(std::string_view value, std::size_t count);

// The folders the wizard's last page derives from the stored paths by cutting characters only:
// "maps" off the maps folders and "hl.exe" off the program, keeping the separator before them.
struct WizardFolders {
    std::string valve;
    std::optional<std::string> tfcdir;  // nothing: the key is removed
    std::string dds;
};

WizardFolders deriveWizardFolders(std::string_view tfcFlag, std::string_view maps,
                                  std::string_view tfcmaps, std::string_view program);

}  // namespace skyloom
