#include "shell/map_file_list.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QShortcut>
#include <QStyle>
#include <QToolTip>

#include "maps/map_catalogue.h"
#include "maps/map_name.h"
#include "platform/files.h"
#include "shell/desktop.h"
#include "shell/map_list_model.h"
#include "shell/window_memory.h"

namespace skyloom {

MapFileList::MapFileList(QWidget* parent)
    : QWidget(parent),
      model_(new MapListModel(this)),
      shown_(new MapSearchModel(this)),
      search_(new QLineEdit(this)),
      singlePlayer_(new QCheckBox(QStringLiteral("Show single-player maps"), this)),
      view_(new QListView(this)),
      gone_(new QLabel(this)) {
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
    // Activated: a double click or Enter, or a single click where the desktop is set so. A
    // highlighted row that is not the one Launch starts misleads: a click chooses as well.
    const auto choose = [this](const QModelIndex& index) {
        view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        emit chosen();
    };
    connect(view_, &QAbstractItemView::activated, this, choose);
    connect(view_, &QAbstractItemView::clicked, this, choose);
    // Every binding of the platform's Find key, and Ctrl+F where it is not one of them.
    auto* find = new QShortcut(QKeySequence::Find, this);
    if (!find->keys().contains(QKeySequence(Qt::CTRL | Qt::Key_F)))
        find->setKeys(find->keys() << QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QShortcut::activated, search_, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    // Shown until a window says otherwise, so a window sizes itself with room for it.
    singlePlayer_->setObjectName(QStringLiteral("showSinglePlayer"));
    connect(singlePlayer_, &QCheckBox::toggled, this, [this](bool shown) {
        shown_->setHideSinglePlayer(singlePlayer_->isVisibleTo(this) && !shown);
        remember(QStringLiteral("maps.showsingleplayer"), shown ? "1" : "0");
    });
    // Small icons: the marks must not make the rows taller than their text.
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view_);
    view_->setIconSize(QSize(icon, icon));

    gone_->setObjectName(QStringLiteral("mapsGone"));
    gone_->setWordWrap(true);
    gone_->hide();
    connect(model_, &QAbstractItemModel::dataChanged, this, &MapFileList::noticeUnreadable);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gone_);
    // Beside the search, not under the list: the windows keep their height.
    auto* top = new QHBoxLayout;
    top->addWidget(search_, 1);
    top->addWidget(singlePlayer_);
    layout->addLayout(top);
    layout->addWidget(view_, 1);

    // A tooltip still shown when its map's picture is drawn is shown again with the picture.
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                if (!QToolTip::isVisible()) return;
                const QModelIndex index =
                    view_->indexAt(view_->viewport()->mapFromGlobal(QCursor::pos()));
                const auto row = model_->rowOf(shown_->mapToSource(index));
                if (!row || int(*row) < first.row() || int(*row) > last.row()) return;
                QToolTip::showText(QCursor::pos(), index.data(Qt::ToolTipRole).toString(),
                                   view_->viewport(), view_->visualRect(index));
            });
}

bool MapFileList::event(QEvent* event) {
    // The name the window gives this list (its frame's) is the list's own for a screen reader.
    if (event->type() == QEvent::Polish && view_->accessibleName().isEmpty())
        view_->setAccessibleName(accessibleName());
    // The player may have moved the folder away while in another program.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) noticeGone();
    return QWidget::event(event);
}

bool MapFileList::eventFilter(QObject* watched, QEvent* event) {
    // Escape clears a search before it reaches the window, which it would close.
    if (watched == search_ && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !search_->text().isEmpty()) {
        event->accept();
        return true;
    }
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !search_->text().isEmpty()) {
            search_->clear();
            return true;
        }
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if ((key == Qt::Key_Down || enter) && shown_->rowCount() > 0) {  // the first map found
            view_->setFocus();
            view_->setCurrentIndex(shown_->index(0, 0));
            view_->selectionModel()->select(view_->currentIndex(),
                                            QItemSelectionModel::ClearAndSelect);
            if (enter) emit chosen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MapFileList::noticeUnreadable(const QModelIndex& first, const QModelIndex& last) {
    if (gone_->isVisibleTo(this) || folder_.empty()) return;
    bool unreadable = false;
    for (int row = first.row(); row <= last.row() && !unreadable; ++row)
        unreadable = model_->catalogue().row(size_t(row)).known != Known::Nothing &&
                     !model_->catalogue().row(size_t(row)).check.readable;
    if (unreadable) noticeGone();
}

void MapFileList::noticeGone() {
    if (gone_->isVisibleTo(this) || folder_.empty() || isFolder(folder_)) return;
    gone_->setText(QStringLiteral("The maps folder %1 is gone: its maps are listed again when "
                                  "it is back and the window opens anew.")
                       .arg(shownText(folder_)));
    gone_->show();
    // Not in the model's own signal: the list empties once it is done.
    QMetaObject::invokeMethod(
        this, [this] { (void)model_->list(folder_, underWine_); }, Qt::QueuedConnection);
}

QString MapFileList::setMapsFolder(const std::string& mapsFolder, bool underWine) {
    if (mapsFolder != folder_) gone_->hide();
    folder_ = mapsFolder;
    underWine_ = underWine;
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

void MapFileList::offerSinglePlayerMaps(bool offered) {
    const QSignalBlocker quiet(singlePlayer_);
    singlePlayer_->setChecked(rememberedValue(QStringLiteral("maps.showsingleplayer")) == "1");
    singlePlayer_->setVisible(offered);
    shown_->setHideSinglePlayer(offered && !singlePlayer_->isChecked());
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
