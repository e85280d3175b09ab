#include "shell/map_file_list.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

#include "maps/map_catalogue.h"
#include "maps/map_name.h"
#include "shell/desktop.h"
#include "shell/map_list_model.h"

namespace skyloom {

MapFileList::MapFileList(QWidget* parent)
    : QWidget(parent),
      model_(new MapListModel(this)),
      shown_(new MapSearchModel(this)),
      search_(new QLineEdit(this)),
      view_(new QListView(this)) {
    shown_->setSourceModel(model_);
    search_->setObjectName(QStringLiteral("mapSearch"));
    search_->setPlaceholderText(QStringLiteral("Search maps"));
    search_->setAccessibleName(QStringLiteral("Search maps"));
    // The clear button's icon is looked up in the icon theme, a quarter of the start's work:
    // it comes with the first text there is to clear.
    connect(
        search_, &QLineEdit::textChanged, search_, [this] { search_->setClearButtonEnabled(true); },
        Qt::SingleShotConnection);
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, shown_, &MapSearchModel::setSearch);

    view_->setModel(shown_);
    view_->setUniformItemSizes(true);  // keeps a list of many thousand maps quick to lay out
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Activated: a double click or Enter, or a single click where the desktop is set so.
    connect(view_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        emit chosen();
    });
    // Small icons: the marks must not make the rows taller than their text.
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view_);
    view_->setIconSize(QSize(icon, icon));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(search_);
    layout->addWidget(view_, 1);

    // A tooltip still shown when its map's picture is drawn is shown again with the picture.
    connect(&model_->pictures(), &MapPictures::drawn, this, [this](const QByteArray& path) {
        if (!QToolTip::isVisible()) return;
        const QModelIndex index = view_->indexAt(view_->viewport()->mapFromGlobal(QCursor::pos()));
        const auto row = model_->rowOf(shown_->mapToSource(index));
        if (!row || QByteArray::fromStdString(catalogue().path(*row)) != path) return;
        QToolTip::showText(QCursor::pos(), index.data(Qt::ToolTipRole).toString(),
                           view_->viewport(), view_->visualRect(index));
    });
}

bool MapFileList::event(QEvent* event) {
    // The name the window gives this list (its frame's) is the list's own for a screen reader.
    if (event->type() == QEvent::Polish && view_->accessibleName().isEmpty())
        view_->setAccessibleName(accessibleName());
    return QWidget::event(event);
}

bool MapFileList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !search_->text().isEmpty()) {
            search_->clear();
            return true;
        }
        if (key == Qt::Key_Down && shown_->rowCount() > 0) {  // on to the first map found
            view_->setFocus();
            view_->setCurrentIndex(shown_->index(0, 0));
            view_->selectionModel()->select(view_->currentIndex(),
                                            QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString MapFileList::setMapsFolder(const std::string& mapsFolder, bool underWine) {
    folder_ = mapsFolder;
    const MapListing listing = model_->list(mapsFolder, underWine);
    const QString shown = shownText(mapsFolder);
    if (mapsFolder.empty()) return QStringLiteral("No maps: the maps folder is not configured");
    switch (listing.problem) {
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
    return QStringLiteral("No maps: %1 cannot be read (%2)")
        .arg(shown, QString::fromStdString(listing.reason));
}

MapCatalogue& MapFileList::catalogue() {
    return model_->catalogue();
}

QStringList MapFileList::fileNames() const {
    QStringList names;
    for (int row = 0; row < model_->rowCount(); ++row)
        names << model_->index(row).data(MapListModel::FileRole).toString();
    return names;
}

std::optional<ListedMapName> MapFileList::selectedMap() const {
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    const auto row =
        selected.isEmpty() ? std::nullopt : model_->rowOf(shown_->mapToSource(selected.first()));
    if (!row) return std::nullopt;
    return ListedMapName{model_->catalogue().row(*row).map.name,
                         model_->index(int(*row)).data(MapListModel::FileRole).toString(), row};
}

void MapFileList::selectMap(const std::string& file) {
    const auto row = model_->catalogue().find(file, false);
    QModelIndex index = row ? shown_->mapFromSource(model_->index(int(*row))) : QModelIndex();
    if (row && !index.isValid()) {  // hidden by the search: shown again
        search_->clear();
        index = shown_->mapFromSource(model_->index(int(*row)));
    }
    if (!index.isValid()) {
        view_->clearSelection();
        return;
    }
    view_->setCurrentIndex(index);
    view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

ListedMapName MapFileList::fileNamed(const QString& field,
                                     const std::optional<ListedMapName>& chosen,
                                     const QString& chosenText) const {
    const bool isChosen = chosen && field == chosenText;
    if (isChosen && chosen->row) return *chosen;
    // A preset's map comes by its name, not a click: found once, by its file name.
    const MapCatalogue& maps = model_->catalogue();
    const std::string name = isChosen ? chosen->file : field.toStdString();
    const auto row = maps.find(name, !isChosen);
    return {row ? maps.row(*row).map.name : name, field, row};
}

}  // namespace skyloom
