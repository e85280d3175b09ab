#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "maps/map_check.h"
#include "shell/outside_text.h"

class QCheckBox;
class QLabel;
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
// shown without the folder, each with its title. A click or Enter on a map chooses it, Enter in
// the search field the first map found; the platform's Find key (Ctrl+F) reaches the search.
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

    // Offers the "Show single-player maps" box below the list, whose state is remembered: while
    // it is cleared the game's own campaign and training maps are left out. Not offered, every
    // map is listed.
    void offerSinglePlayerMaps(bool offered);

    QLineEdit* search() const { return search_; }
    QListView* view() const { return view_; }

signals:
    // A click or Enter on a map: the window takes the selected map.
    void chosen();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A row found unreadable: when the folder itself is gone, the list says so once and empties.
    void noticeUnreadable(const QModelIndex& first, const QModelIndex& last);
    void noticeGone();

    MapListModel* model_;
    MapSearchModel* shown_;
    QLineEdit* search_;
    QCheckBox* singlePlayer_;  // made before the list: Tab reaches it first, as it reads
    QListView* view_;
    QLabel* gone_;  // says once that the folder went away while the list was open
    std::string folder_;
    bool underWine_ = false;
};

}  // namespace skyloom
