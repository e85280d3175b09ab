#include "setup/done_page.h"

#include "setup/save_settings.h"
#include "setup/wizard_folders.h"
#include "setup/wizard_picture.h"
#include "ui_done_page.h"

namespace skyloom {

DonePage::DonePage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::DonePage>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Done));
    connect(ui_->cmdFinish, &QPushButton::clicked, this, &DonePage::cmdFinish_Click);
}

DonePage::~DonePage() = default;

void DonePage::cmdFinish_Click() {
    const Settings& s = context_.settings;
    const std::string tfc = s.read("MISC", "tfc", "error", 100);
    const std::string maps = s.read("gamedir", "maps", "error", 100);
    const std::string tfcmaps = tfc == "true" ? s.read("gamedir", "tfcmaps", "error", 100) : "";
    const std::string program = s.read("GAMEDIR", "program", "error", 100);
    const WizardFolders folders = deriveWizardFolders(tfc, maps, tfcmaps, program);
    if (!saveSettings(context_, this,
                      {{"GAMEDIR", "valve", folders.valve},
                       {"GAMEDIR", "tfcdir", folders.tfcdir},
                       {"GAMEDIR", "dds", folders.dds},
                       {"MISC", "firstuse", "no"}}))
        return;
    handOver(QStringLiteral("sp"));
}

}  // namespace skyloom
