#include "app/preset_mode.h"

#include "shell/map_file_list.h"
#include "shell/outside_text.h"
#include "launcher/game_launch.h"
#include "launcher/game_types.h"
#include "launcher/presets.h"
#include "shell/save_settings.h"
#include "shell/single_line_fields.h"

namespace skyloom {

int runPreset(const AppContext& context, const std::string& name) {
    if (reportSettingsProblem(context, nullptr)) return 1;
    const std::optional<Preset> preset = findPreset(context.settings.text(), name);
    if (!preset) {
        context.desktop.message(nullptr,
                                QStringLiteral("There is no preset called \"%1\" in %2.")
                                    .arg(shownText(name), shownText(context.settings.filePath())),
                                QStringLiteral("Skyloom"), MessageButtons::Ok,
                                MessageIcon::Exclamation);
        return 1;
    }
    // What the main window's fields would hold once filled from the preset, so both start the
    // same command.
    GameChoices choices = preset->choices;
    for (std::string* text : {&choices.difficulty, &choices.parameters, &choices.customFolder})
        *text = asFieldHoldsIt(*text);
    // Never shown: it answers what the window's list would, the missing files of the map.
    MapFileList maps;
    if (const auto key = lookOf(preset->choices.type).mapsKey)
        listMapsOf(context.settings, maps, *key);
    return launchChoices(context, nullptr, maps, choices) ? 0 : 1;
}

}  // namespace skyloom
