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

void MainWindow::launch_Click() {
    // Closing only once the game has started keeps the window (and the program) alive to
    // report a start that failed.
    if (launchChoices(context_, this, ui_->dirFichiers->catalogue(), choices(), startStatus_) &&
        closeAfterLaunch())
        context_.windows.unload(objectName());
}

void MainWindow::launchCustom_Click() {
    launch_Click();
}

void MainWindow::connectMenus() {
    connect(ui_->mnuConfigitmDMM, &QAction::triggered, this, &MainWindow::mnuConfigitmDMM_Click);
    connect(ui_->mnuFileitmAHLOL, &QAction::triggered, this, &MainWindow::mnuFileitmAHLOL_Click);
    connect(ui_->mnuEdititmConfig, &QAction::triggered, this, &MainWindow::mnuEdititmConfig_Click);
    // Ctrl+C is also Copy: a text field with the focus keeps it, as Qt gives it there.
    connect(ui_->mnuFileMapcleItm, &QAction::triggered, this, &MainWindow::mnuFileMapcleItm_Click);
    connect(ui_->mnuFileitmConnect, &QAction::triggered, this,
            &MainWindow::mnuFileitmConnect_Click);
    connect(ui_->mnuFichieritmQuitter, &QAction::triggered, this,
            &MainWindow::mnuFichieritmQuitter_Click);
    connect(ui_->mnuEdititmReset, &QAction::triggered, this, &MainWindow::mnuEdititmReset_Click);
    connect(ui_->mnuHelpitmAbout, &QAction::triggered, this, &MainWindow::mnuHelpitmAbout_Click);
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

void MainWindow::mnuConfigitmDMM_Click() {
    handOverTo(QStringLiteral("DM"));
}

void MainWindow::mnuFileitmAHLOL_Click() {
    handOverTo(QStringLiteral("frmAdvanced"));
}

void MainWindow::mnuEdititmConfig_Click() {
    handOverTo(QStringLiteral("config"));
}

void MainWindow::mnuFileMapcleItm_Click() {
    context_.desktop.message(this, QStringLiteral("The Map Cycle Editor is not implemented yet"),
                             QStringLiteral("Ooops"), MessageButtons::Ok, MessageIcon::Information);
}

void MainWindow::mnuFileitmConnect_Click() {
    handOverTo(QStringLiteral("connect"));
}

void MainWindow::mnuFichieritmQuitter_Click() {
    context_.windows.unloadAll();
}

void MainWindow::mnuEdititmReset_Click() {
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
    optDM_Click();
    ui_->cmbDifficult->setEnabled(false);
    ui_->txtSelMap->setToolTip(QStringLiteral("No map currently selected"));
}

// The About window enables the main window again when it closes.
void MainWindow::mnuHelpitmAbout_Click() {
    context_.windows.show(QStringLiteral("frmAbout"));
    context_.windows.setEnabled(objectName(), false);
}

}  // namespace skyloom
