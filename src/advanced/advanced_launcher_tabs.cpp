// The advanced launcher's Generate buttons and its run button: each reads its tab's controls,
// hands them to a generator and shows what comes back.
#include <QScrollArea>

#include "advanced/advanced_launcher.h"
#include "platform/command_line.h"
#include "shell/outside_text.h"
#include "shell/start_status.h"
#include "ui_advanced_launcher.h"

namespace skyloom {

namespace {

// The text of the selected item; empty when nothing is selected.
std::string selectedText(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? std::string() : selected.first()->text().toStdString();
}

std::string textOf(const QLabel* label) {
    return label->text().toStdString();
}
std::string textOf(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

void AdvancedLauncher::showGenerated(const GeneratedLine& generated, QLabel* label) {
    for (const Notice& notice : generated.notices) {
        const MessageIcon icon =
            notice.icon == NoticeIcon::Critical ? MessageIcon::Critical : MessageIcon::None;
        context_.desktop.message(this, QString::fromStdString(notice.text),
                                 QString::fromStdString(notice.title), MessageButtons::Ok, icon);
    }
    showLine(QString::fromStdString(generated.line), label);
}

void AdvancedLauncher::showLine(const QString& line, QLabel* label) {
    setPlainText(label, line);
    // The scroll area around the label is what takes the focus: a screen reader speaks the line.
    for (QWidget* up = label->parentWidget(); up; up = up->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(up)) {
            area->setAccessibleName(line);
            break;
        }
    }
}

VideoChoices AdvancedLauncher::videoChoices() const {
    VideoChoices c;
    c.playerShadows = ui_->chkPlShadows->isChecked();
    c.decals = ui_->chkDecals->isChecked();
    c.maxBrightness = ui_->chkMaxBrightness->isChecked();
    c.rSpeeds = ui_->chkRSpeeds->isChecked();
    c.reflectiveTextures = ui_->chkRefTex->isChecked();
    c.console = ui_->chkConsole->isChecked();
    c.software = ui_->optSoftware->isChecked();
    c.direct3D = ui_->optD3D->isChecked();
    c.openGL = ui_->optOpenGL->isChecked();
    c.windowed = ui_->optWinMode->isChecked();
    c.fullScreen = ui_->optFullScrn->isChecked();
    c.resolution = selectedText(ui_->lstResol);
    c.additional = ui_->chkAdditional->isChecked();
    c.additionalText = textOf(ui_->txtAdditional);
    c.noIntro = ui_->chkNoIntro->isChecked();
    c.developer = ui_->chkDev->isChecked();
    return c;
}

AudioChoices AdvancedLauncher::audioChoices() const {
    AudioChoices c;
    c.cdAudio = ui_->chkCDAudio->isChecked();
    c.hiQualitySound = ui_->chkHiQualitySound->isChecked();
    c.eax = ui_->chkEAX->isChecked();
    c.a3d = ui_->chkA3D->isChecked();
    c.noSound = ui_->chkToggleSound->isChecked();
    c.gameVolume = textOf(ui_->lblGameSound);
    c.hevSuitVolume = textOf(ui_->lblHEVSuit);
    c.playOnce = ui_->optPlayOnce->isChecked();
    c.loop = ui_->optLoop->isChecked();
    c.cdTrack = selectedText(ui_->lstCDTrack);
    return c;
}

ClientChoices AdvancedLauncher::clientChoices() const {
    ClientChoices c;
    c.model = selectedText(ui_->lstModel);
    c.allowDownload = ui_->chkAllowDownload->isChecked();
    c.allowUpload = ui_->chkUpload->isChecked();
    c.hiQualityModels = ui_->chkHIMod->isChecked();
    c.deltaCompressionOff = ui_->chkDelta->isChecked();
    c.spectator = ui_->chkSpecMode->isChecked();
    c.ipx = ui_->chkIPXOn->isChecked();
    c.tcpip = ui_->chkTCPIPOn->isChecked();
    c.preload = ui_->chkPreLoad->isChecked();
    c.name = textOf(ui_->txtName);
    c.maxFrameRate = textOf(ui_->txtMaxFRate);
    c.connectIp = textOf(ui_->txtIP);
    return c;
}

MiscChoices AdvancedLauncher::miscChoices() const {
    MiscChoices c;
    c.deathmatch = ui_->chkDMOn->isChecked();
    c.coop = ui_->chkCoop->isChecked();
    c.humanBlood = ui_->chkHBlood->isChecked();
    c.humanGibs = ui_->chkHGibs->isChecked();
    c.alienBlood = ui_->chkABlood->isChecked();
    c.alienGibs = ui_->chkAGibs->isChecked();
    c.skill = ui_->Skill->currentText().toStdString();
    c.fakeLag = textOf(ui_->lblFakeLag);
    c.fakeLoss = textOf(ui_->lblFakePacketLoss);
    return c;
}

void AdvancedLauncher::generateVideoLine() {
    showGenerated(VideoLine(videoChoices()), ui_->lblCommandLine);
}

void AdvancedLauncher::generateSoundLine() {
    showGenerated(AudioLine(audioChoices()), ui_->lblSndCommandLine);
}

void AdvancedLauncher::generateClientLine() {
    showGenerated(ClientLine(clientChoices()), ui_->lblClientCommandLine);
}

void AdvancedLauncher::generateMiscLine() {
    showGenerated(MiscLine(miscChoices()), ui_->lblMiscCommandLine);
}

void AdvancedLauncher::generateFullLine() {
    arguments_ = FullLine({arguments_, textOf(ui_->lblCommandLine), textOf(ui_->lblSndCommandLine),
                           textOf(ui_->lblMiscCommandLine), textOf(ui_->lblClientCommandLine)})
                     .line;
    showFullLine();
}

// The generated options are the player's text, split once as the C runtime splits it.
GameStart AdvancedLauncher::fullStart() const {
    return {{}, splitArguments(arguments_), {}, {}, WindowState::Minimized};
}

void AdvancedLauncher::showFullLine() {
    const std::optional<GameStart> start = composeStart(context_.settings, fullStart());
    showLine(shownText(start ? context_.games.route(*start).text() : program_ + arguments_),
             ui_->lblFullCommandLine);
}

void AdvancedLauncher::runGame() {
    startGame(context_, this, startStatus_, {fullStart()});
}

}  // namespace skyloom
