#include "demo_window/demo_store.h"

#include <QDateTime>
#include <QLocale>
#include <map>

#include "maps/bsp_file.h"
#include "maps/map_name.h"
#include "maps/search_path.h"
#include "shell/outside_text.h"

namespace skyloom {
namespace {

// The name a demo's header gives its map, as the maps folder holds it.
std::string mapFileName(std::string map) {
    if (map.rfind("maps/", 0) == 0) map.erase(0, 5);
    if (map.size() > 4 && map.compare(map.size() - 4, 4, ".bsp") == 0) map.resize(map.size() - 4);
    return map;
}

}  // namespace

std::vector<DemoRow> readDemoRows(const DemoPlace& place, const std::function<bool()>& stop) {
    std::vector<DemoRow> rows;
    const std::vector<std::string> folders = demoFolders(place);
    const std::vector<std::string> searchPath =
        folders.empty() ? std::vector<std::string>{} : searchPathOf(folders.front());
    std::map<std::string, std::optional<std::string>> titles;  // by map: nothing when missing
    for (DemoFile& file : listDemos(place, stop)) {
        DemoRow row;
        row.file = std::move(file);
        if (const auto& info = row.file.reading.info) {
            const std::string map = mapFileName(info->map);
            auto known = titles.find(map);
            if (known == titles.end()) {
                std::optional<std::string> title;
                // A map name that would climb out of the maps folder is no installed map.
                const bool plain = !map.empty() && map.find("..") == std::string::npos;
                if (const auto path =
                        plain ? findFile(searchPath, "maps/" + map + ".bsp") : std::nullopt) {
                    const FileSource source(*path);
                    const auto contents = readBsp(source, false);
                    title = contents ? contents->entities.title : std::string();
                }
                known = titles.emplace(map, std::move(title)).first;
            }
            row.mapInstalled = known->second.has_value();
            row.title = known->second.value_or("");
        }
        rows.push_back(std::move(row));
        if (stop && stop()) break;
    }
    return rows;
}

QString demoNote(const DemoRow& row, const std::string& mod) {
    const auto& info = row.file.reading.info;
    if (!info) return QStringLiteral("Unreadable: ") + shownText(row.file.reading.problem);
    QStringList notes;
    if (const auto problem = mapNameProblem(row.file.name))
        notes << QStringLiteral("The game cannot load a name that holds %1: rename it")
                     .arg(shownText(*problem));
    if (!row.mapInstalled)
        notes << QStringLiteral("Map %1 not installed").arg(shownText(mapFileName(info->map)));
    if (QString::fromStdString(info->game)
            .compare(QString::fromStdString(mod), Qt::CaseInsensitive) != 0)
        notes
            << QStringLiteral("Recorded in %1, not %2").arg(shownText(info->game), shownText(mod));
    return notes.join(QStringLiteral("; "));
}

void DemoStore::replace(const std::string& mod, std::vector<DemoRow> rows) {
    emit aboutToReplace();
    mod_ = mod;
    rows_ = std::move(rows);
    emit replaced();
}

void DemoStore::rename(size_t row, const std::string& path, const std::string& name) {
    rows_.at(row).file.path = path;
    rows_.at(row).file.name = name;
    emit changed(int(row));
}

void DemoStore::remove(size_t row) {
    emit aboutToRemove(int(row));
    rows_.erase(rows_.begin() + std::ptrdiff_t(row));
    emit removed();
}

DemoListModel::DemoListModel(DemoStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
    connect(&store, &DemoStore::aboutToReplace, this, &DemoListModel::beginResetModel);
    connect(&store, &DemoStore::replaced, this, &DemoListModel::endResetModel);
    connect(&store, &DemoStore::aboutToRemove, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(&store, &DemoStore::removed, this, &DemoListModel::endRemoveRows);
    connect(&store, &DemoStore::changed, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, Columns - 1)); });
}

int DemoListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(store_.rows().size());
}

int DemoListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant DemoListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const DemoRow& row = store_.rows()[size_t(index.row())];
    const auto& info = row.file.reading.info;
    const bool sorting = role == SortRole;
    if (role == Qt::ToolTipRole) {
        const QString note = demoNote(row, store_.mod());
        return note.isEmpty() ? QVariant() : QVariant(asPlainTip(note));
    }
    if (role != Qt::DisplayRole && !sorting) return {};
    switch (index.column()) {
        case Name:
            return shownText(row.file.name);
        case Map:
            if (!info) return QString();
            return shownText(info->map) +
                   (row.title.empty() ? QString() : QStringLiteral(" — ") + shownText(row.title));
        case Game:
            return info ? shownText(info->game) : QString();
        case Length:
            if (sorting) return info ? info->seconds : -1.0;
            return info ? QString::fromStdString(demoLengthText(info->seconds)) : QString();
        case Recorded:
            if (sorting) return qlonglong(row.file.time);
            return QLocale().toString(QDateTime::fromSecsSinceEpoch(row.file.time),
                                      QLocale::ShortFormat);
        case Size:
            if (sorting) return qulonglong(row.file.size);
            return QLocale().formattedDataSize(qint64(row.file.size));
        case Note:
            return demoNote(row, store_.mod());
    }
    return {};
}

QVariant DemoListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {"Name",     "Map",  "Game", "Length",
                                        "Recorded", "Size", "Note"};
    return section >= 0 && section < Columns ? QString::fromLatin1(names[section]) : QVariant();
}

void DemoSearchModel::setSearch(const QString& text) {
    search_ = text.trimmed();
    invalidateFilter();
}

bool DemoSearchModel::filterAcceptsRow(int row, const QModelIndex& parent) const {
    if (search_.isEmpty()) return true;
    for (int column : {DemoListModel::Name, DemoListModel::Map})
        if (sourceModel()
                ->index(row, column, parent)
                .data()
                .toString()
                .contains(search_, Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace skyloom
