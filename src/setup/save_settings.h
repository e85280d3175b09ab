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

// Writes the values in order. The first write that fails stops the rest and is reported in a
// message box naming the settings file and the reason; the caller then stays where it is.
bool saveSettings(const AppContext& context, QWidget* parent,
                  const std::vector<SettingWrite>& writes);

// Derives `valve`, `tfcdir` (or its removal) and `dds` from the paths as stored and writes them,
// so every window that saves the paths keeps the folders the Deathmatch Maker writes into true.
bool saveDerivedFolders(const AppContext& context, QWidget* parent);

// Reports a settings file that exists but cannot be read (with the reason) or is too large to be
// one (with its size) in a message box; false when there is nothing to report.
bool reportSettingsProblem(const AppContext& context, QWidget* parent);

}  // namespace skyloom
