#pragma once

#include <QString>
#include <string>

#include "launcher/game_command.h"
#include "shell/app_context.h"

class QWidget;

namespace skyloom {

class MapCatalogue;
class MapFileList;
class StartStatusLine;

// The maps folder the GAMEDIR key `mapsKey` names (empty: none), and whether the game runs under
// Wine.
struct MapsPlace {
    std::string folder;
    bool underWine = false;
};
MapsPlace mapsPlaceOf(const Settings& settings, const std::string& mapsKey);

// Lists in `list` the maps of the folder the GAMEDIR key `mapsKey` names; gives why none could
// be listed, for the list's frame.
QString listMapsOf(const Settings& settings, MapFileList& list, const std::string& mapsKey);

// Starts the chosen game as the main window's launch buttons do; `--preset` starts through here
// too, so the two never drift. A missing map or custom folder, a map name the game cannot load,
// an unknown game folder and a failed start are told in a box; the player is asked before a map
// that lacks files (`maps` lists the maps of the chosen type). True when the game started.
// The start is told on `line` when there is one.
bool launchChoices(const AppContext& context, QWidget* parent, MapCatalogue& maps,
                   const GameChoices& choices, StartStatusLine* line = nullptr);

}  // namespace skyloom
