#include "launcher/game_launch.h"

#include "launcher/presets.h"
#include "maps/search_path.h"
#include "settings/game_paths.h"
#include "shell/map_file_list.h"
#include "shell/start_failure.h"
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

namespace {

void tell(Desktop& desktop, QWidget* parent, const QString& text, const QString& title,
          MessageIcon icon) {
    desktop.message(parent, text, title, MessageButtons::Ok, icon);
}

}  // namespace

bool launchChoices(const AppContext& context, QWidget* parent, MapCatalogue& maps,
                   const GameChoices& choices, StartStatusLine* line) {
    const bool custom = choices.type == GameType::Custom;
    if (custom && choices.customFolder.empty()) {
        tell(context.desktop, parent, QStringLiteral("You must specify a custom mod's folder"),
             QStringLiteral("OOoops"), MessageIcon::Information);
        return false;
    }
    if (!custom && choices.selectedMap.empty()) {
        tell(context.desktop, parent, QStringLiteral("Please select a map"),
             QStringLiteral("No map selected !"), MessageIcon::Exclamation);
        return false;
    }
    if (!custom && refuseUnloadableMapName(context.desktop, parent, choices.selectedMap))
        return false;
    const auto folder = gameFolder(context.settings.readPath("program", ""));
    if (!folder) {
        tell(context.desktop, parent,
             QStringLiteral("Skyloom does not know where hl.exe is: the path of the game is "
                            "missing from skyloom.ini.\nSet it in Edit > Configuration, then "
                            "launch again."),
             QStringLiteral("Configuration incomplete"), MessageIcon::Exclamation);
        return false;
    }
    if (!custom &&
        !startDespiteMissingFiles(maps, context.desktop, parent, choices.selectedMap))
        return false;
    return startGame(context, parent, line, composeChosenCommand(choices), *folder,
                     WindowState::Maximized);
}

}  // namespace skyloom
