#include "deathmatch/deathmatch_maker.h"

#include <QShortcut>

#include "maps/map_name.h"
#include "maps/search_path.h"
#include "settings/game_paths.h"
#include "shell/designed_layout.h"
#include "shell/outside_text.h"
#include "shell/save_settings.h"
#include "shell/start_status.h"
#include "shell/system_colours.h"
#include "shell/window_memory.h"
#include "ui_deathmatch_maker.h"

namespace skyloom {

DeathmatchMaker::DeathmatchMaker(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::DeathmatchMaker>()) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    // The instruction takes the height the map list leaves: were its height asked by its width,
    // the form's grid would squeeze the options on a small screen.
    QSizePolicy byList = ui_->Label2->sizePolicy();
    byList.setHeightForWidth(false);
    ui_->Label2->setSizePolicy(byList);
    makeResizable(this);
    rememberGeometry(this);
    // Escape leaves as the close box does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(ui_->password, &QCheckBox::toggled, this, &DeathmatchMaker::enablePassword);
    connect(ui_->cmdMapSel, &QPushButton::clicked, this, &DeathmatchMaker::selectMap);
    connect(ui_->maps, &MapFileList::chosen, this, &DeathmatchMaker::selectMap);
    connect(ui_->cmdHelp, &QPushButton::clicked, this, &DeathmatchMaker::showHelp);
    connect(ui_->save, &QPushButton::clicked, this, &DeathmatchMaker::saveConfig);
    connect(ui_->Command1, &QPushButton::clicked, this, &DeathmatchMaker::saveAndLaunch);
    connect(ui_->mnuFileitmSkyloom, &QAction::triggered, this, &DeathmatchMaker::backToMainWindow);
    readMapFolder();
}

DeathmatchMaker::~DeathmatchMaker() = default;

void DeathmatchMaker::readMapFolder() {
    const GamePaths paths = readGamePaths(context_.settings);
    // Without a configured folder the list stays empty; a folder that happens to be called
    // "error" in the current folder is not the player's map folder.
    const bool missing = paths.maps == GamePaths::kMissing;
    const bool wine = paths.program != GamePaths::kMissing && isWindowsProgram(paths.program);
    ui_->Frame1->setToolTip(asPlainTip(ui_->maps->setMapsFolder(missing ? "" : paths.maps, wine)));
    ui_->maps->offerSinglePlayerMaps(true);
    setBackground(ui_->passwordvalue, SystemColour::ScrollBar);
    showServerSettings(readServerConfigFile(readGameDir("valve")).settings);
    // Without it the server has none of the name, password and limits the window shows.
    ui_->chkExec->setChecked(context_.settings.read("DM", "runconfig", "yes", 100) == "yes");
    connect(ui_->chkExec, &QCheckBox::toggled, this, [this](bool ticked) {
        saveSettings(context_, this, {{"DM", "runconfig", ticked ? "yes" : "no"}});
    });
}

void DeathmatchMaker::enablePassword() {
    const bool ticked = ui_->password->isChecked();
    ui_->passwordvalue->setEnabled(ticked);
    setBackground(ui_->passwordvalue,
                  ticked ? SystemColour::WindowBackground : SystemColour::ScrollBar);
}

void DeathmatchMaker::selectMap() {
    const std::optional<ListedMapName> map = ui_->maps->selectedMap();
    ui_->Frame1->setTitle(QStringLiteral("First map selection (") + (map ? map->shown : QString()) +
                          QLatin1Char(')'));
    // With nothing selected there is no name to take: the field keeps what it holds.
    if (!map) return;
    chosenMap_ = map;
    ui_->SelMap->setText(chosenMapText());
}

QString DeathmatchMaker::chosenMapText() const {
    return chosenMap_ ? shownText(gameMapName(chosenMap_->file)) : QString();
}

void DeathmatchMaker::showHelp() {
    tell(QStringLiteral(
             "The Half-Life Deathmatch Maker allow you to configure your server. When you click "
             "on save, the skyloom.cfg file is created in your Valve directory. To use it, "
             "launch a server, then type exec skyloom.cfg in the console."),
         QStringLiteral("Help"), MessageIcon::Information);
}

void DeathmatchMaker::backToMainWindow() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

void DeathmatchMaker::tell(const QString& text, const QString& title, MessageIcon icon) {
    context_.desktop.message(this, text, title, MessageButtons::Ok, icon);
}

}  // namespace skyloom
