#include "demo_window/demo_window.h"

#include <fcntl.h>

#include <QFile>
#include <QScreen>
#include <QShortcut>
#include <QtConcurrent>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "maps/map_name.h"
#include "settings/path_value.h"
#include "shell/outside_text.h"
#include "shell/start_status.h"
#include "ui_demo_window.h"

namespace skyloom {

DemoWindow::DemoWindow(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::DemoWindow>()) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    // As drawn where the screen has room; on a small one, most of it.
    if (const QScreen* shown = screen())
        resize(size().boundedTo(shown->availableGeometry().size() * 0.9));
    search_.setSourceModel(&model_);
    search_.setSortRole(DemoListModel::SortRole);
    ui_->demos->setModel(&search_);
    ui_->demos->sortByColumn(DemoListModel::Recorded, Qt::DescendingOrder);
    connect(ui_->search, &QLineEdit::textChanged, &search_, &DemoSearchModel::setSearch);
    connect(ui_->demos, &QTreeView::activated, this, [this] { play("playdemo"); });
    connect(ui_->play, &QPushButton::clicked, this, [this] { play("playdemo"); });
    connect(ui_->playControls, &QPushButton::clicked, this, [this] { play("viewdemo"); });
    connect(ui_->rename, &QPushButton::clicked, this, &DemoWindow::renameSelected);
    connect(ui_->remove, &QPushButton::clicked, this, &DemoWindow::deleteSelected);
    connect(ui_->closeWindow, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(ui_->demos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DemoWindow::updateButtons);
    connect(&search_, &QAbstractItemModel::modelReset, this, &DemoWindow::updateButtons);
    connect(&search_, &QAbstractItemModel::rowsRemoved, this, &DemoWindow::updateButtons);
    connect(&listing_, &QFutureWatcher<std::vector<DemoRow>>::finished, this, [this] {
        if (listing_.isCanceled() || listing_.future().resultCount() == 0) return;
        store_.replace(place_.mod, listing_.result());
        const int shown = int(store_.rows().size());
        const auto folders = demoFolders(place_);
        setPlainText(ui_->listed,
                     shown > 0 ? tr("%n demo(s)", nullptr, shown)
                     : folders.empty()
                         ? QStringLiteral("No game folder is known: set it in the configuration.")
                         : QStringLiteral("No demos in %1.").arg(shownText(folders.front())));
        for (int c = 0; c < DemoListModel::Note; ++c) ui_->demos->resizeColumnToContents(c);
        if (search_.rowCount() > 0) ui_->demos->setCurrentIndex(search_.index(0, 0));
        updateButtons();
    });
    updateButtons();
    // Until the main window says which game, Half-Life's.
    listDemosOf({gameFolderOf(context_.settings), "valve"});
}

DemoWindow::~DemoWindow() {
    if (stop_) *stop_ = true;
}

std::string DemoWindow::gameFolderOf(const Settings& settings) {
    return folderPart(settings.readPath("program", "")).value_or("");
}

void DemoWindow::listDemosOf(const DemoPlace& place) {
    if (stop_) *stop_ = true;
    stop_ = std::make_shared<std::atomic_bool>(false);
    place_ = place;
    setPlainText(ui_->listed, QStringLiteral("Listing demos…"));
    listing_.setFuture(QtConcurrent::run(
        [place, stop = stop_] { return readDemoRows(place, [stop] { return stop->load(); }); }));
}

std::optional<size_t> DemoWindow::selectedRow() const {
    const QModelIndex current = search_.mapToSource(ui_->demos->currentIndex());
    if (!current.isValid()) return std::nullopt;
    return size_t(current.row());
}

void DemoWindow::updateButtons() {
    const bool chosen = selectedRow().has_value();
    for (QWidget* button : {ui_->play, ui_->playControls, ui_->rename, ui_->remove})
        button->setEnabled(chosen);
}

void DemoWindow::tell(const QString& text, const QString& title, MessageIcon icon) {
    context_.desktop.message(this, text, title, MessageButtons::Ok, icon);
}

void DemoWindow::play(const char* verb) {
    const auto row = selectedRow();
    if (!row) return;
    const DemoFile demo = store_.rows()[*row].file;
    if (!demo.reading.info) {
        tell(QStringLiteral("%1 is not a demo the game can play: %2.")
                 .arg(shownText(demo.name), shownText(demo.reading.problem)),
             QStringLiteral("Demo"), MessageIcon::Exclamation);
        return;
    }
    if (const auto problem = mapNameProblem(demo.name)) {
        if (context_.desktop.message(
                this,
                QStringLiteral("The game cannot load a demo whose name holds %1.\nRename it?")
                    .arg(shownText(*problem)),
                QStringLiteral("Demo name"), MessageButtons::YesNo,
                MessageIcon::Exclamation) == MessageAnswer::Yes)
            renameSelected();
        return;
    }
    startDemo(verb, demo);
}

bool DemoWindow::startDemo(const char* verb, const DemoFile& demo) {
    StartRequest request;
    if (place_.mod != "valve") request.start.arguments = {"-game", place_.mod};
    request.start.arguments.push_back(std::string("+") + verb);
    request.start.arguments.push_back(consoleDemoName(demo.name));
    return startGame(context_, this, startStatus_, request);
}

void DemoWindow::renameSelected() {
    const auto row = selectedRow();
    if (!row) return;
    const DemoFile demo = store_.rows()[*row].file;
    const auto typed =
        context_.desktop.askText(this, QStringLiteral("Rename demo"),
                                 QStringLiteral("New name for %1:").arg(shownText(demo.name)));
    if (!typed || typed->trimmed().isEmpty()) return;
    std::string name = typed->toStdString();
    if (!QString::fromStdString(name).endsWith(QStringLiteral(".dem"), Qt::CaseInsensitive))
        name += ".dem";
    const auto refuse = [this](const QString& why) {
        tell(why, QStringLiteral("Rename demo"), MessageIcon::Exclamation);
    };
    if (name.find('/') != std::string::npos || name == ".dem")
        return refuse(QStringLiteral("Give a name without folders: the demo stays where it is."));
    if (const auto problem = mapNameProblem(name))
        return refuse(QStringLiteral("The game cannot load a demo whose name holds %1.\nChoose "
                                     "another name.")
                          .arg(shownText(*problem)));
    namespace fs = std::filesystem;
    const fs::path from(demo.path);
    const fs::path to = from.parent_path() / name;
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)))
        return refuse(QStringLiteral("A file called %1 is already there.").arg(shownText(name)));
    // Never over a file that appeared meanwhile.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return refuse(QStringLiteral("%1 could not be renamed: %2")
                          .arg(shownText(demo.name), QString::fromLocal8Bit(strerror(errno))));
    const std::string relative = fs::path(demo.name).parent_path() / name;
    store_.rename(*row, to.string(), fs::path(relative).generic_string());
}

void DemoWindow::deleteSelected() {
    const auto row = selectedRow();
    if (!row) return;
    const DemoFile demo = store_.rows()[*row].file;
    if (context_.desktop.message(this,
                                 QStringLiteral("Move %1 to the trash?").arg(shownText(demo.name)),
                                 QStringLiteral("Delete demo"), MessageButtons::YesNo,
                                 MessageIcon::Exclamation) != MessageAnswer::Yes)
        return;
    if (!QFile::moveToTrash(QFile::decodeName(demo.path.c_str()))) {
        tell(QStringLiteral("%1 could not be moved to the trash.").arg(shownText(demo.name)),
             QStringLiteral("Delete demo"), MessageIcon::Critical);
        return;
    }
    store_.remove(*row);
}

}  // namespace skyloom
