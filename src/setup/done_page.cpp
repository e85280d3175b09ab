#include "setup/done_page.h"

#include "settings/game_paths.h"
#include "setup/wizard_folders.h"
#include "setup/wizard_picture.h"
#include "shell/save_settings.h"
#include "shell/system_colours.h"
#include "ui_done_page.h"

namespace skyloom {

DonePage::DonePage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::DonePage>()) {
    ui_->setupUi(this);
    enlargeFont(ui_->Label1, 1.5);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Done));
    connect(ui_->cmdFinish, &QPushButton::clicked, this, &DonePage::finish);
}

DonePage::~DonePage() = default;

void DonePage::finish() {
    const GamePaths paths = readGamePaths(context_.settings);
    std::vector<SettingWrite> writes =
        derivedFolderWrites(paths.tfc, paths.maps, paths.tfcmaps, paths.program);
    writes.push_back({"MISC", "firstuse", "no"});
    if (!saveSettings(context_, this, writes)) return;
    handOver(QStringLiteral("sp"));
}

}  // namespace skyloom
