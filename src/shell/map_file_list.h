#pragma once

#include <QListView>
#include <optional>
#include <string>

#include "maps/map_check.h"
#include "shell/outside_text.h"

class QWidget;

namespace skyloom {

class Desktop;
class MapListModel;

// A listed map as the windows hand it around: its file name's own bytes, which the game is given,
// and the name the list shows for it.
struct ListedMapName {
    std::string file;
    QString shown;
};

// The map list of a mod: the "*.bsp" files of its `maps` folders, shown without the folder.
// Each item's tooltip gives the map's title and the files it lacks, read when asked for.
class MapFileList final : public QListView {
    Q_OBJECT
public:
    explicit MapFileList(QWidget* parent = nullptr);

    // Lists the maps of the mod whose `maps` folder this is, given as the setting's own bytes
    // (empty: none). Gives why nothing could be listed, for the list's frame; empty when listed.
    // `underWine`: the game is a Windows program, whose file look-ups ignore case.
    QString setMapsFolder(const std::string& mapsFolder, bool underWine = false);
    std::string folder() const { return folder_; }

    QStringList fileNames() const;
    std::optional<ListedMapName> selectedMap() const;
    void selectMap(const std::string& file);

    // The file a map field names: `chosen`'s while the field shows `chosenText`; else the listed
    // map whose file name is the typed text, with or without its extension; else the typed text.
    std::string fileNamed(const QString& field, const std::optional<ListedMapName>& chosen,
                          const QString& chosenText) const;
    // The listed map's title and missing files, read now; nothing when it is not listed.
    std::optional<MapCheck> check(const std::string& file);

private:
    MapListModel* model_;
    std::string folder_;
};

// Before a start: when the listed map needs files that are missing, asks the player whether to
// start anyway. True to start.
bool startDespiteMissingFiles(MapFileList& list, Desktop& desktop, QWidget* parent,
                              const std::string& file);

}  // namespace skyloom
