// The main window's launch buttons and menus.

#include "demos/demo_list.h"
#include "launcher/game_launch.h"
#include "launcher/main_window.h"
#include "settings/path_value.h"
#include "ui_main_window.h"

namespace skyloom {

bool MainWindow::closeAfterLaunch() const {
    return ui_->mnuEdititm->isChecked();
}

void MainWindow::launchGame() {
    // Closing only once the game has started keeps the window (and the program) alive to
    // report a start that failed.
    if (launchChoices(context_, this, ui_->dirFichiers->catalogue(), choices(), startStatus_) &&
        closeAfterLaunch())
        context_.windows.unload(objectName());
}

void MainWindow::launchCustomMode() {
    launchGame();
}

void MainWindow::connectMenus() {
    connect(ui_->mnuConfigitmDMM, &QAction::triggered, this, &MainWindow::openDeathmatchMaker);
    connect(ui_->mnuFileitmAHLOL, &QAction::triggered, this, &MainWindow::openAdvancedLauncher);
    connect(ui_->mnuEdititmConfig, &QAction::triggered, this, &MainWindow::openConfiguration);
    // Ctrl+C is also Copy: a text field with the focus keeps it, as Qt gives it there.
    connect(ui_->mnuFileMapcleItm, &QAction::triggered, this, &MainWindow::openMapCycleEditor);
    connect(ui_->mnuFileitmConnect, &QAction::triggered, this, &MainWindow::openConnectionTool);
    connect(ui_->mnuFichieritmQuitter, &QAction::triggered, this, &MainWindow::quit);
    connect(ui_->mnuEdititmReset, &QAction::triggered, this, &MainWindow::resetAll);
    connect(ui_->mnuHelpitmAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connectPresetMenus();
    // The Demos window lists the demos of the game type chosen here.
    auto* demos = new QAction(QStringLiteral("D&emos…"), this);
    demos->setObjectName(QStringLiteral("mnuFileitmDemos"));
    demos->setShortcut(QStringLiteral("Ctrl+E"));
    ui_->mnuFichier->insertAction(ui_->mnuFileitmSavePreset, demos);
    connect(demos, &QAction::triggered, this, [this] {
        const GameChoices c = choices();
        const char* mod = c.type == GameType::TeamFortress ? "tfc" : "valve";
        const DemoPlace place{folderPart(context_.settings.readPath("program", "")).value_or(""),
                              c.type == GameType::Custom ? c.customFolder : mod};
        if (auto* taker = dynamic_cast<DemoPlaceTaker*>(context_.windows.show("demos")))
            taker->listDemosOf(place);
    });
    // mnuEdititm is a checkable action: its click toggles the close-after-launch check mark.
}

void MainWindow::handOverTo(const QString& window) {
    context_.windows.show(window);
    context_.windows.unload(objectName());
}

void MainWindow::openDeathmatchMaker() {
    handOverTo(QStringLiteral("DM"));
}

void MainWindow::openAdvancedLauncher() {
    handOverTo(QStringLiteral("frmAdvanced"));
}

void MainWindow::openConfiguration() {
    handOverTo(QStringLiteral("config"));
}

void MainWindow::openMapCycleEditor() {
    context_.desktop.message(this, QStringLiteral("The Map Cycle Editor is not implemented yet"),
                             QStringLiteral("Ooops"), MessageButtons::Ok, MessageIcon::Information);
}

void MainWindow::openConnectionTool() {
    handOverTo(QStringLiteral("connect"));
}

void MainWindow::quit() {
    context_.windows.unloadAll();
}

void MainWindow::resetAll() {
    if (context_.desktop.message(this, QStringLiteral("Are you sure ?"),
                                 QStringLiteral("Reset all settings"), MessageButtons::OkCancel,
                                 MessageIcon::None) != MessageAnswer::Ok)
        return;
    ui_->parameters->clear();
    for (QCheckBox* box : {ui_->console, ui_->cheats, ui_->dev, ui_->numeric, ui_->chkAdd})
        box->setChecked(false);  // each change runs the box's click behaviour
    ui_->txtSelMap->clear();
    ui_->txtCommand->clear();
    ui_->optDM->setChecked(true);
    chooseDeathmatch();
    ui_->cmbDifficult->setEnabled(false);
    ui_->txtSelMap->setToolTip(QStringLiteral("No map currently selected"));
}

// The About window enables the main window again when it closes.
void MainWindow::showAbout() {
    context_.windows.show(QStringLiteral("frmAbout"));
    context_.windows.setEnabled(objectName(), false);
}

}  // namespace skyloom
