#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/app_context.h"

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

// The same, with the values chosen from the file's text under the settings lock, so a change
// that depends on what is there loses nothing a second Skyloom wrote in between.
bool saveSettings(
    const AppContext& context, QWidget* parent,
    const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor);

// Reports a settings file that exists but cannot be read (with the reason) or is too large to be
// one (with its size) in a message box, once per start; false when there is nothing to report.
bool reportSettingsProblem(const AppContext& context, QWidget* parent);

}  // namespace skyloom
