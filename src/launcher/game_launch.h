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

// Starts the chosen game as the main window's launch buttons and `--preset` do: a missing custom
// folder is told, the rest is every window's start (`maps`: the chosen type's). True if started.
bool launchChoices(const AppContext& context, QWidget* parent, MapCatalogue& maps,
                   const GameChoices& choices, StartStatusLine* line = nullptr);

}  // namespace skyloom
