#include "app/preset_mode.h"

#include "launcher/game_launch.h"
#include "launcher/game_types.h"
#include "launcher/presets.h"
#include "maps/map_catalogue.h"
#include "shell/outside_text.h"
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
    // The maps the window would list, for the missing files of the map.
    MapCatalogue maps;
    if (const auto key = lookOf(choices.type).mapsKey) {
        const MapsPlace place = mapsPlaceOf(context.settings, *key);
        maps.list(place.folder, place.underWine);
        choices.mapRow = maps.find(choices.selectedMap, false);  // a preset names its map
    }
    return launchChoices(context, nullptr, maps, choices) ? 0 : 1;
}

}  // namespace skyloom
