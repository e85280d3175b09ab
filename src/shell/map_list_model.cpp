#include "shell/map_list_model.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QStyle>
#include <QtConcurrent/QtConcurrentRun>

#include "maps/map_name.h"
#include "maps/map_picture.h"
#include "maps/map_store.h"
#include "shell/outside_text.h"

namespace skyloom {
namespace {

QString description(const MapCheck& check) {
    if (!check.readable) return QStringLiteral("unreadable map");
    QStringList lines;
    if (!check.title.empty()) lines << shownLine(check.title);
    if (!check.missing.empty()) lines << shownText(missingSummary(check.missing));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

std::string mapPictureUrl(const ByteSource& file) {
    const auto picture = mapPicture(file);
    if (!picture) return {};
    const QImage image(picture->rgba.data(), picture->width, picture->height, picture->width * 4,
                       QImage::Format_RGBA8888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return "data:image/png;base64," + png.toBase64().toStdString();
}

MapListModel::MapListModel(QObject* parent)
    : QAbstractListModel(parent), catalogue_(defaultMapStorePath()) {
    connect(&reading_, &QFutureWatcherBase::resultsReadyAt, this, &MapListModel::take);
}

MapListModel::~MapListModel() {
    // The reading stops after the map it is on and saves what it read; nothing waits for it.
    reading_.cancel();
    // Tooltips' checks not begun are not read.
    for (auto* asked : findChildren<QFutureWatcher<CatalogueBatch>*>(Qt::FindDirectChildrenOnly))
        asked->cancel();
}

MapListing MapListModel::list(const std::string& mapsFolder, bool underWine) {
    reading_.cancel();
    asked_.clear();
    beginResetModel();
    MapListing listing = catalogue_.list(mapsFolder, underWine);
    shown_.clear();
    shown_.reserve(catalogue_.size());
    for (size_t i = 0; i < catalogue_.size(); ++i)
        shown_.push_back(shownText(catalogue_.row(i).map.name));
    endResetModel();
    if (catalogue_.size() > 0)
        reading_.setFuture(
            QtConcurrent::run([reading = catalogue_.reading()](QPromise<CatalogueBatch>& promise) {
                reading.run([&] { return promise.isCanceled(); },
                            [&](CatalogueBatch&& batch) { promise.addResult(std::move(batch)); });
            }));
    return listing;
}

void MapListModel::take(int begin, int end) {
    for (int i = begin; i < end; ++i) learn(reading_.resultAt(i));
}

void MapListModel::learn(CatalogueBatch&& batch) {
    const size_t first = batch.first, count = batch.checks.size();
    if (count == 0 || !catalogue_.learn(std::move(batch))) return;
    emit dataChanged(index(int(first)), index(int(first + count - 1)));
}

void MapListModel::askCheck(size_t row) const {
    if (!asked_.insert(row).second) return;
    auto* self = const_cast<MapListModel*>(this);
    auto* watcher = new QFutureWatcher<CatalogueBatch>(self);
    connect(watcher, &QFutureWatcherBase::finished, self, [self, watcher, row] {
        self->asked_.erase(row);
        if (!watcher->isCanceled()) self->learn(watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run([check = catalogue_.checkLater(row),
                                          cache = catalogue_.cache(), path = catalogue_.path(row)] {
        CatalogueBatch batch = check();
        // Drawn in the same go: the tooltip that asked shows it once it is there.
        if (batch.checks[0].readable) (void)cache->picture(path, mapPictureUrl);
        return batch;
    }));
}

std::optional<size_t> MapListModel::rowOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.row() >= rowCount()) return std::nullopt;
    return static_cast<size_t>(index.row());
}

int MapListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

const QIcon& MapListModel::icon(bool unreadable) const {
    QIcon& icon = unreadable ? unreadable_ : lacking_;
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(unreadable ? QStyle::SP_MessageBoxCritical
                                                              : QStyle::SP_MessageBoxWarning);
    return icon;
}

QVariant MapListModel::data(const QModelIndex& index, int role) const {
    const auto row = rowOf(index);
    if (!row) return {};
    const CatalogueRow& entry = catalogue_.row(*row);
    const bool titled = entry.known != Known::Nothing;
    switch (role) {
        case Qt::DisplayRole:
            if (titled && !entry.check.title.empty())
                return shown_[*row] + QStringLiteral(" \u2014 ") + shownLine(entry.check.title);
            return shown_[*row];
        case FileRole:
            return shown_[*row];
        case TitleRole:
            return titled ? shownLine(entry.check.title) : QString();
        case Qt::DecorationRole:
            if (titled && !entry.check.readable) return icon(true);
            if (entry.known == Known::Check && !entry.check.missing.empty()) return icon(false);
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: {
            // Asked for one map at a time: its check and picture are read now, off the window's
            // thread, rather than when the reading comes to it; until then what is known shows.
            // A picture dropped to save memory is drawn again.
            const auto kept = catalogue_.cache()->keptPicture(catalogue_.path(*row));
            const MapCheck& check = entry.check;
            if (entry.known != Known::Check || (check.readable && !kept)) askCheck(*row);
            if (!titled) return {};
            const QString text = description(check);
            // The picture comes later: until it is drawn, the tooltip is the text alone.
            const QString picture = role == Qt::ToolTipRole && check.readable
                                        ? QString::fromStdString(kept.value_or(""))
                                        : QString();
            if (text.isEmpty() && picture.isEmpty()) return {};
            return role == Qt::ToolTipRole ? tipWithPicture(text, picture) : text;
        }
        default:
            return {};
    }
}

void MapSearchModel::setSearch(const QString& text) {
    search_ = text.trimmed();
    invalidateFilter();
}

void MapSearchModel::setHideSinglePlayer(bool hide) {
    hideSinglePlayer_ = hide;
    invalidateFilter();
}

bool MapSearchModel::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const QModelIndex index = sourceModel()->index(row, 0, parent);
    if (hideSinglePlayer_ &&
        isSinglePlayerMapName(index.data(MapListModel::FileRole).toString().toStdString()))
        return false;
    if (search_.isEmpty()) return true;
    return index.data(MapListModel::FileRole).toString().contains(search_, Qt::CaseInsensitive) ||
           index.data(MapListModel::TitleRole).toString().contains(search_, Qt::CaseInsensitive);
}

}  // namespace skyloom
