#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"

class QWidget;

namespace skyloom {

struct SettingWrite {
    const char* section;
    const char* key;
    std::optional<std::string> value;  // nothing removes the key
};

// Writes the values together, in one replace of the file. A failure writes none of them and is
// reported in a message box naming the settings file and the reason; the caller then stays where
// it is.
bool saveSettings(const AppContext& context, QWidget* parent,
                  const std::vector<SettingWrite>& writes);

// The writes of `valve`, `tfcdir` (or its removal) and `dds` derived from the paths, so every
// window that saves the paths keeps the folders the Deathmatch Maker writes into true. `tfcmaps`
// counts only when `tfc` is "true".
std::vector<SettingWrite> derivedFolderWrites(std::string_view tfc, std::string_view maps,
                                              std::string_view tfcmaps, std::string_view program);

// Reports a settings file that exists but cannot be read (with the reason) or is too large to be
// one (with its size) in a message box, once per start; false when there is nothing to report.
bool reportSettingsProblem(const AppContext& context, QWidget* parent);

}  // namespace skyloom
