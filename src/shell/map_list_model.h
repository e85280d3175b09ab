#pragma once

#include <QAbstractListModel>
#include <QFutureWatcher>
#include <QIcon>
#include <QSortFilterProxyModel>
#include <set>
#include <vector>

#include "maps/map_catalogue.h"

namespace skyloom {

// A map's picture as a PNG data URL for a tooltip; empty when the map cannot be read or shows
// nothing.
std::string mapPictureUrl(const ByteSource& file);

// The rows of a map catalogue: "file — title", an icon on a map that lacks files or cannot be
// read, and in its tooltip and description why. Titles and checks are read off the window's
// thread (kept between runs), the rows filled in as they come.
class MapListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { FileRole = Qt::UserRole + 1, TitleRole };

    explicit MapListModel(QObject* parent = nullptr);
    ~MapListModel() override;

    // Lists the maps of this `maps` folder and begins reading them.
    MapListing list(const std::string& mapsFolder, bool underWine);
    MapCatalogue& catalogue() { return catalogue_; }
    // The catalogue's row of an index of this model; nothing for an invalid one.
    std::optional<size_t> rowOf(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void take(int begin, int end);
    void learn(CatalogueBatch&& batch);
    // Reads the row's check and draws its picture off the window's thread, once per listing;
    // dataChanged follows.
    void askCheck(size_t row) const;
    // Made on first use: an icon needs the application's style.
    const QIcon& icon(bool unreadable) const;

    mutable MapCatalogue catalogue_;
    std::vector<QString> shown_;  // the file names as shown
    QFutureWatcher<CatalogueBatch> reading_;
    mutable std::set<size_t> asked_;  // rows whose check and picture are being read
    mutable QIcon unreadable_, lacking_;
};

// What the search field lets through: the maps whose file name or title holds its text.
class MapSearchModel final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearch(const QString& text);
    // Leaves out the game's own single-player and training maps.
    void setHideSinglePlayer(bool hide);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QString search_;
    bool hideSinglePlayer_ = false;
};

}  // namespace skyloom
