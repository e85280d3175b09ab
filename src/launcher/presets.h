#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/game_command.h"
#include "settings/profile_file.h"

namespace skyloom {

// A set-up of the main window kept under a name in the settings file, one section each:
// "[PRESET name]".
struct Preset {
    GameChoices choices;
    bool showParameters = false;  // the additional parameters' box checked
};

// Why a name cannot be a preset's (it would not read back as written), in words for a message
// box; nothing when it can.
std::optional<std::string> presetNameProblem(std::string_view name);

// The presets' names in the order of their sections.
std::vector<std::string> presetNames(std::string_view profileText);

// The preset of this name (matched without regard to case, as sections are), or nothing.
std::optional<Preset> findPreset(std::string_view profileText, std::string_view name);

// The changes that keep `preset` under `name`, replacing a preset of that name in one write.
std::vector<ProfileChange> presetWrites(std::string_view name, const Preset& preset);

// The change that removes the preset.
ProfileChange presetRemoval(std::string_view name);

}  // namespace skyloom
