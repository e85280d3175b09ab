#include "setup/paths_panel.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentRun>

#include "settings/game_paths.h"
#include "shell/outside_text.h"
#include "shell/system_colours.h"
#include "ui_paths_panel.h"

namespace skyloom {

PathsPanel::PathsPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::PathsPanel>()) {
    ui_->setupUi(this);
    // The check box's rule runs whenever its state changes, by the player or by load.
    connect(ui_->chkTFC, &QCheckBox::toggled, this, &PathsPanel::enableTfc);
    connect(ui_->Command2, &QPushButton::clicked, this, &PathsPanel::pickProgram);
    connect(ui_->cmdFind, &QPushButton::clicked, this, &PathsPanel::searchInstalls);
    connect(&search_, &QFutureWatcher<InstallsFound>::finished, this, &PathsPanel::searchDone);
}

PathsPanel::~PathsPanel() = default;

void PathsPanel::load(const AppContext& context, const PathsPanelLook& look) {
    context_.emplace(context);
    look_ = look;
    ui_->frmHLC->setTitle(QString::fromUtf8(look.hlFrame));
    ui_->Label1->setText(QString::fromUtf8(look.programLabel));
    ui_->chkTFC->setText(QString::fromUtf8(look.tfcCheck));

    const GamePaths paths = readGamePaths(context.settings);
    showPath(ui_->program, paths.program);
    showPath(ui_->txtMaps, paths.maps);
    showPath(ui_->TFCmaps, paths.tfcmaps);
    ui_->chkTFC->setChecked(paths.tfc == "true");
    enableTfc();
    search(false);
}

void PathsPanel::enableTfc() {
    const bool checked = ui_->chkTFC->isChecked();
    ui_->TFCmaps->setEnabled(checked);
    setBackground(ui_->TFCmaps, checked ? SystemColour::WindowBackground : SystemColour::ScrollBar);
}

void PathsPanel::pickProgram() {
    if (!context_) return;
    // A cancelled dialog leaves the field as it was.
    const std::optional<QString> file = context_->desktop.openFile(
        window(), QString::fromUtf8(look_.dialogTitle), QString::fromUtf8(look_.dialogFilter));
    if (file) ui_->program->setText(QDir::toNativeSeparators(*file));
}

void PathsPanel::showPath(QLineEdit* field, const std::string& bytes) {
    shownPaths_[field] = bytes;
    field->setText(shownText(bytes));
}

std::string PathsPanel::pathOf(const QLineEdit* field) const {
    // A path the player did not edit goes back as it came, even when it is not UTF-8.
    const auto shown = shownPaths_.find(field);
    if (shown != shownPaths_.end() && shownText(shown->second) == field->text())
        return shown->second;
    return field->text().toStdString();
}

PathsValues PathsPanel::values() const {
    return {ui_->chkTFC->isChecked(), pathOf(ui_->program), pathOf(ui_->txtMaps),
            pathOf(ui_->TFCmaps)};
}

void PathsPanel::searchInstalls() {
    search(true);
}

void PathsPanel::search(bool asked) {
    if (!context_) return;
    asked_ = asked_ || asked;
    if (searching_) return;  // a press during the search on open waits for its answer
    searching_ = true;
    setCursor(Qt::BusyCursor);
    search_.setFuture(QtConcurrent::run(findInstalls, context_->installs));
}

void PathsPanel::searchDone() {
    searching_ = false;
    unsetCursor();
    const bool asked = std::exchange(asked_, false);
    const InstallsFound found = search_.result();
    const std::vector<GameInstall>& installs = found.installs;
    if (!asked) {
        // Only a panel that holds nothing configured is filled unasked: from the one copy
        // found, or from the one the player picks among several.
        const QString missing = QString::fromUtf8(GamePaths::kMissing);
        const bool unset = ui_->program->text() == missing && ui_->txtMaps->text() == missing;
        if (!unset || installs.empty()) return;
    }
    if (installs.empty()) {
        QString text = QStringLiteral("Skyloom did not find Half-Life. It looked in:");
        for (const std::string& place : found.searched)
            text += QLatin1Char('\n') + QString::fromStdString(place);
        context_->desktop.message(window(), text, QStringLiteral("Find the game"),
                                  MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    std::size_t chosen = 0;
    if (installs.size() > 1) {
        QStringList lines;
        for (const GameInstall& install : installs)
            lines << QStringLiteral("%1: %2").arg(
                QString::fromUtf8(kindName(install.kind).data(),
                                  static_cast<qsizetype>(kindName(install.kind).size())),
                QString::fromStdString(install.folder));
        const std::optional<int> pick = context_->desktop.chooseItem(
            window(), QStringLiteral("Find the game"),
            QStringLiteral("Half-Life is installed in several places. Which one do you play?"),
            lines);
        if (!pick || *pick < 0 || static_cast<std::size_t>(*pick) >= installs.size()) return;
        chosen = static_cast<std::size_t>(*pick);
    }
    fill(installs[chosen]);
}

void PathsPanel::fill(const GameInstall& install) {
    showPath(ui_->program, install.program);
    showPath(ui_->txtMaps, install.maps);
    ui_->chkTFC->setChecked(install.tfcmaps.has_value());
    if (install.tfcmaps) showPath(ui_->TFCmaps, *install.tfcmaps);
}

}  // namespace skyloom
