#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "maps/map_check.h"
#include "shell/outside_text.h"

class QLineEdit;
class QListView;
class QAbstractItemModel;

namespace skyloom {

class Desktop;
class MapCatalogue;
class MapListModel;
class MapSearchModel;

// A listed map as the windows hand it around: its file name's own bytes, which the game is given,
// and the name the list shows for it.
struct ListedMapName {
    std::string file;
    QString shown;
    std::optional<std::size_t> row{};  // in the catalogue, while it lists the same maps
};

// The map list of a mod with its search field above it: the "*.bsp" files of its `maps` folders,
// shown without the folder, each with its title. A double click or Enter on a map chooses it.
class MapFileList final : public QWidget {
    Q_OBJECT
public:
    explicit MapFileList(QWidget* parent = nullptr);

    // Lists the maps of the mod whose `maps` folder this is, given as the setting's own bytes
    // (empty: none). Gives why nothing could be listed, for the list's frame; empty when listed.
    // `underWine`: the game is a Windows program, whose file look-ups ignore case.
    QString setMapsFolder(const std::string& mapsFolder, bool underWine = false);
    std::string folder() const { return folder_; }

    // Every listed file name, whatever the search lets through.
    QStringList fileNames() const;
    std::optional<ListedMapName> selectedMap() const;
    void selectMap(const std::string& file);

    // The map a field names: `chosen` while the field shows `chosenText`; else the listed map
    // whose file name is the typed text, with or without its extension; else the typed text,
    // with no row.
    ListedMapName fileNamed(const QString& field, const std::optional<ListedMapName>& chosen,
                            const QString& chosenText) const;
    MapCatalogue& catalogue();

    QLineEdit* search() const { return search_; }
    QListView* view() const { return view_; }

signals:
    // A double click or Enter on a map: the window takes the selected map.
    void chosen();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MapListModel* model_;
    MapSearchModel* shown_;
    QLineEdit* search_;
    QListView* view_;
    std::string folder_;
};

}  // namespace skyloom
