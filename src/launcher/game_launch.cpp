#include "launcher/game_launch.h"

#include "launcher/presets.h"
#include "maps/search_path.h"
#include "settings/game_paths.h"
#include "shell/map_file_list.h"
#include "shell/start_status.h"

namespace skyloom {

MapsPlace mapsPlaceOf(const Settings& settings, const std::string& mapsKey) {
    const GamePaths paths = readGamePaths(settings);
    const std::string& folder = mapsKey == "tfcmaps" ? paths.tfcmaps : paths.maps;
    // A missing key is no folder, not a folder called "error" in the current folder.
    return {folder == GamePaths::kMissing ? "" : folder,
            paths.program != GamePaths::kMissing && isWindowsProgram(paths.program)};
}

QString listMapsOf(const Settings& settings, MapFileList& list, const std::string& mapsKey) {
    const MapsPlace place = mapsPlaceOf(settings, mapsKey);
    return list.setMapsFolder(place.folder, place.underWine);
}

bool launchChoices(const AppContext& context, QWidget* parent, MapCatalogue& maps,
                   const GameChoices& choices, StartStatusLine* line) {
    const bool custom = choices.type == GameType::Custom;
    if (custom && choices.customFolder.empty()) {
        context.desktop.message(parent, QStringLiteral("You must specify a custom mod's folder"),
                                QStringLiteral("OOoops"), MessageButtons::Ok,
                                MessageIcon::Information);
        return false;
    }
    StartRequest request{};
    request.start.arguments =
        custom ? ComposeCustomCommand(choices.customFolder) : ComposeGameCommand(choices);
    if (!custom)
        request = {request.start, &maps, choices.selectedMap, choices.mapRow,
                   QStringLiteral("No map selected !")};
    return startGame(context, parent, line, request);
}

}  // namespace skyloom
