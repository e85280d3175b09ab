#include "setup/done_page.h"

#include "setup/wizard_folders.h"
#include "shell/designed_layout.h"
#include "shell/save_settings.h"
#include "setup/wizard_picture.h"
#include "ui_done_page.h"

namespace skyloom {

DonePage::DonePage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::DonePage>()) {
    ui_->setupUi(this);
    enlargeFont(ui_->Label1, 1.5);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Done));
    connect(ui_->cmdFinish, &QPushButton::clicked, this, &DonePage::cmdFinish_Click);
}

DonePage::~DonePage() = default;

void DonePage::cmdFinish_Click() {
    const Settings& s = context_.settings;
    std::vector<SettingWrite> writes = derivedFolderWrites(
        s.read("MISC", "tfc", "error", 100), s.readPath("maps", "error"),
        s.readPath("tfcmaps", "error"), s.readPath("program", "error"));
    writes.push_back({"MISC", "firstuse", "no"});
    if (!saveSettings(context_, this, writes)) return;
    handOver(QStringLiteral("sp"));
}

}  // namespace skyloom
