// The Deathmatch Maker's two writing buttons: `skyloom.cfg`, then the server start.
#include "deathmatch/deathmatch_maker.h"
#include "maps/map_name.h"
#include "platform/atomic_file.h"
#include "shell/map_file_list.h"
#include "shell/start_failure.h"
#include "shell/start_status.h"
#include "ui_deathmatch_maker.h"

namespace skyloom {
namespace {

const char kMissing[] = "error!";

}  // namespace

std::string DeathmatchMaker::readGameDir(const char* key) const {
    return context_.settings.readPath(key, kMissing);
}

ServerSettings DeathmatchMaker::serverSettings() const {
    const Ui::DeathmatchMaker& u = *ui_;
    ServerSettings s;
    s.dl = u.dl->isChecked();
    s.ul = u.ul->isChecked();
    s.falldamage = u.falldamage->isChecked();
    s.mp_autocrosshair = u.mp_autocrosshair->isChecked();
    s.mp_flashlight = u.mp_flashlight->isChecked();
    s.sv_cheats = u.sv_cheats->isChecked();
    s.mp_forcerespawn = u.mp_forcerespawn->isChecked();
    s.mp_footsteps = u.mp_footsteps->isChecked();
    s.mp_weaponstay = u.mp_weaponstay->isChecked();
    s.mp_friendlyfire = u.mp_friendlyfire->isChecked();
    s.chase_active = u.chase_active->isChecked();
    s.cl_download_ingame = u.cl_download_ingame->isChecked();
    s.partyname = u.partyname->text().toStdString();
    s.maxplayersvalue = u.maxplayersvalue->text().toStdString();
    s.sv_gravityvalue = u.sv_gravityvalue->text().toStdString();
    s.maxspectatorsvalue = u.maxspectatorsvalue->text().toStdString();
    s.fraglimitvalue = u.fraglimitvalue->text().toStdString();
    s.timelimitvalue = u.timelimitvalue->text().toStdString();
    s.maxpingvalue = u.maxpingvalue->text().toStdString();
    s.password = u.password->isChecked();
    s.passwordvalue = u.passwordvalue->text().toStdString();
    return s;
}

bool DeathmatchMaker::writeServerConfig(const std::string& valveFolder) {
    const ServerSettings settings = serverSettings();
    if (const auto problem = checkServerSettings(settings)) {
        tell(QString::fromStdString(problem->text), QString::fromStdString(problem->title),
             MessageIcon::Information);
        return false;
    }
    // Without the game folder the file would land, under a made-up name, wherever the program
    // was started from.
    if (valveFolder == kMissing || valveFolder.empty()) {
        tell(QStringLiteral("Skyloom does not know the game's valve folder, so skyloom.cfg cannot "
                            "be saved.\nIn the main window, open Edit > Configuration, set "
                            "\"Maps dir\" to the maps folder inside the valve folder and click "
                            "Ok: Skyloom takes the valve folder from it."),
             QStringLiteral("Skyloom"), MessageIcon::Exclamation);
        return false;
    }
    const std::string path = valveFolder + "skyloom.cfg";
    if (const auto error = replaceFileAtomically(path, serverConfigText(settings))) {
        tell(QStringLiteral("skyloom.cfg could not be saved.\n\nFile: %1\nReason: %2")
                 .arg(QString::fromStdString(path), QString::fromStdString(*error)),
             QStringLiteral("Skyloom"), MessageIcon::Critical);
        return false;
    }
    return true;
}

void DeathmatchMaker::saveConfig() {
    const std::string valve = readGameDir("valve");
    if (!writeServerConfig(valve)) return;
    tell(QStringLiteral("You're skyloom.cfg file has been saved in ") +
             QString::fromStdString(valve),
         QStringLiteral("Please note"), MessageIcon::Information);
}

void DeathmatchMaker::saveAndLaunch() {
    const std::string valve = readGameDir("valve");
    const std::string program = readGameDir("program");
    if (!writeServerConfig(valve)) return;
    const QString map = ui_->SelMap->text();
    if (map.isEmpty()) {
        tell(QStringLiteral("Please select a map"), QStringLiteral("No map selected"),
             MessageIcon::Exclamation);
        return;
    }
    const std::string players = ui_->maxplayersvalue->text().toStdString();
    if (!isPlayerCount(players)) {
        tell(QStringLiteral("Please define the maximum player allowed"),
             QStringLiteral("Max players"), MessageIcon::Information);
        return;
    }
    std::string name = ui_->maps->fileNamed(map, chosenMap_, chosenMapText());
    if (refuseUnloadableMapName(context_.desktop, this, name)) return;
    if (!startDespiteMissingFiles(ui_->maps->catalogue(), context_.desktop, this, name)) return;
    // A listed map named by its file name, extension and all, is given so.
    if (name != map.toStdString()) name = gameMapName(name);
    startGame(context_, this, startStatus_,
              {program, serverStartArguments(players, name, ui_->chkExec->isChecked())},
              std::nullopt, WindowState::Maximized);
}

}  // namespace skyloom
