#include "launcher/main_window.h"

#include <QCloseEvent>
#include <QScreen>

#include "launcher/game_launch.h"
#include "launcher/game_types.h"
#include "settings/game_paths.h"
#include "shell/accessible_names.h"
#include "shell/outside_text.h"
#include "shell/save_settings.h"
#include "shell/start_status.h"
#include "shell/system_colours.h"
#include "shell/window_memory.h"
#include "shell/window_registry.h"
#include "ui_main_window.h"

namespace skyloom {

MainWindow::MainWindow(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    ui_->parameters->hide();
    ui_->cmbDifficult->setCurrentIndex(-1);
    ui_->cmbDifficult->setEditText(QString());
    for (QWidget* field : {ui_->parameters, ui_->txtSelMap, ui_->txtCommand})
        setBackground(field, SystemColour::WindowBackground);
    setBackground(ui_->txtCustom, SystemColour::Menu);
    nameComboBox(ui_->cmbDifficult, QStringLiteral("Difficulty"));
    // Opens centred, ready to launch with Enter or Space.
    fitToScreen(this);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    rememberGeometry(this);
    ui_->launch->setFocus();
    connectControls();
    connectMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    connect(ui_->optDM, &QRadioButton::clicked, this, &MainWindow::chooseDeathmatch);
    connect(ui_->optSP, &QRadioButton::clicked, this, &MainWindow::chooseSinglePlayer);
    connect(ui_->optTFC, &QRadioButton::clicked, this, &MainWindow::chooseTfc);
    connect(ui_->optCustom, &QRadioButton::clicked, this, &MainWindow::chooseCustomMode);
    connect(ui_->confirmMap, &QPushButton::clicked, this, &MainWindow::selectMap);
    connect(ui_->dirFichiers, &MapFileList::chosen, this, &MainWindow::selectMap);
    // A check box runs its click behaviour whenever its state changes, as Reset all relies on.
    for (QCheckBox* box : {ui_->cheats, ui_->console, ui_->dev, ui_->numeric})
        connect(box, &QCheckBox::toggled, this, &MainWindow::refreshOptionPreview);
    connect(ui_->chkAdd, &QCheckBox::toggled, this, &MainWindow::showParameters);
    connect(ui_->launch, &QPushButton::clicked, this, &MainWindow::launchGame);
    connect(ui_->launchCustom, &QPushButton::clicked, this, &MainWindow::launchCustomMode);
}

void MainWindow::loadOnShow() {
    const std::string tfc = readGamePaths(context_.settings).tfc;
    // A file that is there but cannot be read is not a missing configuration.
    const bool unreadable = reportSettingsProblem(context_, this);
    if (tfc == GamePaths::kMissing && !unreadable) {
        // Hidden before the box shows: the player sees the box, then the configuration window.
        // The box stands alone, as no window of its own is on screen.
        setVisible(false);
        context_.desktop.message(
            nullptr, QStringLiteral("You did not configure completly the Skyloom"),
            QStringLiteral("Configuration error"), MessageButtons::Ok, MessageIcon::None);
        // A configuration window that is loaded is the one handing back to this window after
        // its Cancel: opening it again would leave no window once it goes.
        const QString config = QStringLiteral("config");
        if (context_.windows.isLoaded(config) || !context_.windows.show(config)) setVisible(true);
    }
    ui_->optTFC->setEnabled(tfc != "false");
    listMaps("maps");
    ui_->dirFichiers->offerSinglePlayerMaps(true);
    ui_->txtSelMap->setToolTip(QStringLiteral("No map currently selected"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Disabled while the About window is up: closing now would leave About to end the program.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::reloadPaths() {
    ui_->optTFC->setEnabled(readGamePaths(context_.settings).tfc != "false");
    listMaps(ui_->optTFC->isChecked() ? "tfcmaps" : "maps");
}

void MainWindow::listMaps(const char* key) {
    ui_->frm3->setToolTip(asPlainTip(listMapsOf(context_.settings, *ui_->dirFichiers, key)));
}

void MainWindow::chooseGameType(GameType type) {
    const GameTypeLook look = lookOf(type);
    if (look.title) setWindowTitle(QString::fromStdString(*look.title));
    if (look.mapsKey) listMaps(look.mapsKey->c_str());
    ui_->dirFichiers->offerSinglePlayerMaps(type == GameType::Deathmatch);
    if (look.tooltip) ui_->txtSelMap->setToolTip(QString::fromStdString(*look.tooltip));

    ui_->cmbDifficult->setEnabled(look.difficultyEnabled);
    ui_->txtCustom->setEnabled(look.custom);
    setBackground(ui_->txtCustom,
                  look.custom ? SystemColour::WindowBackground : SystemColour::ButtonFace);
    ui_->launchCustom->setEnabled(look.custom);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->launch, ui_->confirmMap, ui_->dirFichiers, ui_->SelMap, ui_->txtCommand,
             ui_->cheats, ui_->console, ui_->dev, ui_->numeric, ui_->chkAdd})
        w->setEnabled(!look.custom);
    for (QWidget* field : {ui_->parameters, ui_->txtSelMap, ui_->txtCommand})
        setBackground(field,
                      look.custom ? SystemColour::ButtonFace : SystemColour::WindowBackground);
}

void MainWindow::selectMap() {
    chosenMap_ = ui_->dirFichiers->selectedMap();
    const QString name = chosenMap_ ? chosenMap_->shown : QString();
    ui_->txtSelMap->setText(name);
    ui_->txtSelMap->setToolTip(asPlainTip(QStringLiteral("The map currently selected is ") + name));
}

void MainWindow::refreshOptionPreview() {
    ui_->txtCommand->setText(QString::fromStdString(optionPreview(choices().options)));
}

void MainWindow::showParameters() {
    ui_->parameters->setVisible(ui_->chkAdd->isChecked());
}

GameChoices MainWindow::choices() const {
    GameChoices c;
    if (ui_->optSP->isChecked()) c.type = GameType::SinglePlayer;
    if (ui_->optTFC->isChecked()) c.type = GameType::TeamFortress;
    if (ui_->optCustom->isChecked()) c.type = GameType::Custom;
    const ListedMapName map = ui_->dirFichiers->fileNamed(
        ui_->txtSelMap->text(), chosenMap_, chosenMap_ ? chosenMap_->shown : QString());
    c.selectedMap = map.file;
    c.mapRow = map.row;
    c.difficulty = ui_->cmbDifficult->currentText().toStdString();
    c.parameters = ui_->parameters->text().toStdString();
    c.options = {ui_->cheats->isChecked(), ui_->console->isChecked(), ui_->dev->isChecked(),
                 ui_->numeric->isChecked()};
    c.customFolder = ui_->txtCustom->text().toStdString();
    return c;
}

}  // namespace skyloom
