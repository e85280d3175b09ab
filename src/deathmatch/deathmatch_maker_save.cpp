// The Deathmatch Maker's two writing buttons: `skyloom.cfg`, then the server start.
#include <QLabel>
#include <QNetworkInterface>

#include "deathmatch/deathmatch_maker.h"
#include "maps/map_name.h"
#include "platform/atomic_file.h"
#include "platform/state_file.h"
#include "shell/designed_layout.h"
#include "shell/map_file_list.h"
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

void DeathmatchMaker::showServerSettings(const ServerSettings& s) {
    Ui::DeathmatchMaker& u = *ui_;
    u.dl->setChecked(s.dl);
    u.ul->setChecked(s.ul);
    u.falldamage->setChecked(s.falldamage);
    u.mp_autocrosshair->setChecked(s.mp_autocrosshair);
    u.mp_flashlight->setChecked(s.mp_flashlight);
    u.sv_cheats->setChecked(s.sv_cheats);
    u.mp_forcerespawn->setChecked(s.mp_forcerespawn);
    u.mp_footsteps->setChecked(s.mp_footsteps);
    u.mp_weaponstay->setChecked(s.mp_weaponstay);
    u.mp_friendlyfire->setChecked(s.mp_friendlyfire);
    u.chase_active->setChecked(s.chase_active);
    u.cl_download_ingame->setChecked(s.cl_download_ingame);
    u.partyname->setText(QString::fromStdString(s.partyname));
    u.maxplayersvalue->setText(QString::fromStdString(s.maxplayersvalue));
    u.sv_gravityvalue->setText(QString::fromStdString(s.sv_gravityvalue));
    u.maxspectatorsvalue->setText(QString::fromStdString(s.maxspectatorsvalue));
    u.fraglimitvalue->setText(QString::fromStdString(s.fraglimitvalue));
    u.timelimitvalue->setText(QString::fromStdString(s.timelimitvalue));
    u.maxpingvalue->setText(QString::fromStdString(s.maxpingvalue));
    u.passwordvalue->setText(QString::fromStdString(s.passwordvalue));
    u.password->setChecked(s.password);
}

ServerConfigFile DeathmatchMaker::readServerConfigFile(const std::string& valveFolder) const {
    if (valveFolder == kMissing || valveFolder.empty()) return {};
    return readServerConfig(readFileStart(valveFolder + "skyloom.cfg", 64 * 1024));
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
    // The lines a player added by hand stay.
    const std::vector<std::string> kept = readServerConfigFile(valveFolder).keptLines;
    if (const auto error = replaceFileAtomically(path, serverConfigText(settings, kept))) {
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
    if (!writeServerConfig(readGameDir("valve"))) return;
    const ListedMapName map =
        ui_->maps->fileNamed(ui_->SelMap->text(), chosenMap_, chosenMapText());
    const std::string players = ui_->maxplayersvalue->text().toStdString();
    // A missing map is asked for first, by the start.
    if (!map.file.empty() && !isPlayerCount(players)) {
        tell(QStringLiteral("Please define the maximum player allowed"),
             QStringLiteral("Max players"), MessageIcon::Information);
        return;
    }
    const GameStart start{
        {}, serverStartArguments(players, mapArgument(map.file), ui_->chkExec->isChecked())};
    if (startGame(
            context_, this, startStatus_,
            {start, &ui_->maps->catalogue(), map.file, map.row, QStringLiteral("No map selected")}))
        showHowFriendsJoin();
}

void DeathmatchMaker::showHowFriendsJoin() {
    // This machine's own IPv4 addresses, read from its interfaces: nothing is sent.
    std::vector<std::string> own;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp) || (i.flags() & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                own.push_back(e.ip().toString().toStdString());
    }
    const bool first = !joinHelp_;
    if (first) {
        // Under the form, across it: its lines are as long as the window is wide.
        joinHelp_ = new QLabel(this);
        joinHelp_->setObjectName(QStringLiteral("joinHelp"));
        joinHelp_->setWordWrap(true);
        joinHelp_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ui_->layDM->addWidget(joinHelp_, ui_->layDM->rowCount(), 0, 1, -1);
        joinHelp_->show();  // now, not when the events come: the window sizes itself for it
    }
    joinHelp_->setText(QString::fromStdString(joinText(own)));
    if (first) refitResizable(this);
}

}  // namespace skyloom
