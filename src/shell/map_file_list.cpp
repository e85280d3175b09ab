#include "shell/map_file_list.h"

#include <QAbstractListModel>
#include <QCursor>
#include <QToolTip>

#include "maps/map_list.h"
#include "maps/map_name.h"
#include "maps/search_path.h"
#include "shell/desktop.h"
#include "shell/map_pictures.h"
#include "shell/outside_text.h"

namespace skyloom {

class MapListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    struct Entry {
        QString shown;
        std::string name;
        uint32_t folder;
    };

    void reset(std::vector<std::string> folders, std::vector<std::string> searchPath,
               bool ignoreCase, MapListing listing) {
        beginResetModel();
        folders_ = std::move(folders);
        searchPath_ = std::move(searchPath);
        ignoreCase_ = ignoreCase;
        entries_.clear();
        entries_.reserve(listing.maps.size());
        for (ListedMap& map : listing.maps) {
            QString shown = shownText(map.name);
            entries_.push_back({std::move(shown), std::move(map.name), map.folder});
        }
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) return {};
        const Entry& entry = entries_[static_cast<size_t>(index.row())];
        if (role == Qt::DisplayRole) return entry.shown;
        if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
            const MapCheck read = check(entry);
            const QString text = description(read);
            // The picture comes later: until it is drawn, the tooltip is the text alone.
            const QString picture =
                role == Qt::ToolTipRole && read.readable ? pictures_.url(path(entry)) : QString();
            if (text.isEmpty() && picture.isEmpty()) return {};
            return role == Qt::ToolTipRole ? tipWithPicture(text, picture) : text;
        }
        return {};
    }

    const Entry* at(const QModelIndex& index) const {
        return index.isValid() && index.row() < rowCount({})
                   ? &entries_[static_cast<size_t>(index.row())]
                   : nullptr;
    }

    // The row of the map of this file name, or (when asked) of this name less its extension.
    QModelIndex find(const std::string& file, bool orWithoutExtension) const {
        for (size_t row = 0; row < entries_.size(); ++row)
            if (entries_[row].name == file) return index(static_cast<int>(row));
        for (size_t row = 0; orWithoutExtension && !file.empty() && row < entries_.size(); ++row)
            if (gameMapName(entries_[row].name) == file) return index(static_cast<int>(row));
        return {};
    }

    std::string path(const Entry& entry) const { return folders_[entry.folder] + '/' + entry.name; }

    MapCheck check(const Entry& entry) const {
        return checkMap(cache_, path(entry), searchPath_, ignoreCase_);
    }

    MapPictures& pictures() { return pictures_; }

    QStringList names() const {
        QStringList list;
        list.reserve(static_cast<qsizetype>(entries_.size()));
        for (const Entry& entry : entries_) list.append(entry.shown);
        return list;
    }

private:
    static QString description(const MapCheck& check) {
        if (!check.readable) return QStringLiteral("unreadable map");
        QStringList lines;
        if (!check.title.empty()) lines << shownText(check.title);
        if (!check.missing.empty()) lines << shownText(missingSummary(check.missing));
        return lines.join(QLatin1Char('\n'));
    }

    std::vector<std::string> folders_;
    std::vector<std::string> searchPath_;
    bool ignoreCase_ = false;
    std::vector<Entry> entries_;
    mutable MapFileCache cache_;
    mutable MapPictures pictures_;
};

MapFileList::MapFileList(QWidget* parent) : QListView(parent), model_(new MapListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);  // keeps a list of many thousand maps quick to lay out
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A tooltip still shown when its map's picture is drawn is shown again with the picture.
    connect(&model_->pictures(), &MapPictures::drawn, this, [this](const QByteArray& path) {
        if (!QToolTip::isVisible()) return;
        const QModelIndex index = indexAt(viewport()->mapFromGlobal(QCursor::pos()));
        const MapListModel::Entry* entry = model_->at(index);
        if (!entry || QByteArray::fromStdString(model_->path(*entry)) != path) return;
        QToolTip::showText(QCursor::pos(), index.data(Qt::ToolTipRole).toString(), viewport(),
                           visualRect(index));
    });
}

QString MapFileList::setMapsFolder(const std::string& mapsFolder, bool underWine) {
    folder_ = mapsFolder;
    const ModFolders mod = modFoldersOf(mapsFolder);
    MapListing listing = listMaps(mapsFolder.empty() ? std::vector<std::string>{} : mod.mapFolders);
    const FolderProblem problem = mapsFolder.empty() ? FolderProblem::NotFound : listing.problem;
    const QString reason = QString::fromStdString(listing.reason);
    model_->reset(mod.mapFolders, searchPathOf(mod.mod, underWine), underWine, std::move(listing));
    const QString shown = shownText(mapsFolder);
    if (mapsFolder.empty()) return QStringLiteral("No maps: the maps folder is not configured");
    switch (problem) {
        case FolderProblem::None:
            return {};
        case FolderProblem::NotFound:
            return QStringLiteral("No maps: %1 does not exist").arg(shown);
        case FolderProblem::NotAFolder:
            return QStringLiteral("No maps: %1 is a file, not a folder").arg(shown);
        case FolderProblem::Loop:
            return QStringLiteral("No maps: %1 is a loop of symbolic links").arg(shown);
        case FolderProblem::Unreadable:
            break;
    }
    return QStringLiteral("No maps: %1 cannot be read (%2)").arg(shown, reason);
}

QStringList MapFileList::fileNames() const {
    return model_->names();
}

std::optional<ListedMapName> MapFileList::selectedMap() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const MapListModel::Entry* entry =
        selected.isEmpty() ? nullptr : model_->at(selected.constFirst());
    if (!entry) return std::nullopt;
    return ListedMapName{entry->name, entry->shown};
}

void MapFileList::selectMap(const std::string& file) {
    const QModelIndex index = model_->find(file, false);
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

std::string MapFileList::fileNamed(const QString& field, const std::optional<ListedMapName>& chosen,
                                   const QString& chosenText) const {
    if (chosen && field == chosenText) return chosen->file;
    const std::string typed = field.toStdString();
    const MapListModel::Entry* entry = model_->at(model_->find(typed, true));
    return entry ? entry->name : typed;
}

std::optional<MapCheck> MapFileList::check(const std::string& file) {
    const MapListModel::Entry* entry = model_->at(model_->find(file, false));
    if (!entry) return std::nullopt;
    return model_->check(*entry);
}

bool startDespiteMissingFiles(MapFileList& list, Desktop& desktop, QWidget* parent,
                              const std::string& file) {
    const std::optional<MapCheck> check = list.check(file);
    // A map that is not listed or cannot be read starts as it always has: the player may know
    // better.
    if (!check || !check->readable || check->missing.empty()) return true;
    return desktop.message(parent,
                           shownText(missingFilesMessage(gameMapName(file), check->missing)),
                           QStringLiteral("Missing files"), MessageButtons::YesNo,
                           MessageIcon::Exclamation) == MessageAnswer::Yes;
}

}  // namespace skyloom
