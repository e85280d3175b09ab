#pragma once

#include <QListView>
#include <optional>
#include <string>

#include "app/outside_text.h"
#include "maps/map_check.h"

class QWidget;

namespace skyloom {

class Desktop;
class MapListModel;

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
    // The selected file name, or empty when none is selected.
    QString selectedFileName() const;
    void selectFileName(const QString& name);

    // The own bytes of the listed map shown as `name` (with or without its extension), to pass
    // to the game; the name's UTF-8 when no listed map is shown so.
    std::string fileBytes(const QString& name) const;
    // The listed map's title and missing files, read now; nothing when it is not listed.
    std::optional<MapCheck> check(const QString& name);

private:
    MapListModel* model_;
    std::string folder_;
};

// Before a start: when the listed map needs files that are missing, asks the player whether to
// start anyway. True to start.
bool startDespiteMissingFiles(MapFileList& list, Desktop& desktop, QWidget* parent,
                              const QString& name);

}  // namespace skyloom
