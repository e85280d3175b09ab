#include "setup/paths_page.h"

#include "setup/directory_picker.h"
#include "setup/paths_panel.h"
#include "setup/wizard_picture.h"
#include "shell/save_settings.h"
#include "ui_paths_page.h"
#include "ui_paths_panel.h"

namespace skyloom {

PathsPage::PathsPage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::PathsPage>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Paths));
    paths().load(context_, kWizardPathsLook);
    Ui::PathsPanel& panel = paths().ui();
    connect(panel.cmdMaps, &QPushButton::clicked, this, &PathsPage::pickMapFolder);
    connect(panel.cmdTFCMaps, &QPushButton::clicked, this,
            [this] { context_.windows.show(QStringLiteral("configtfc")); });
    connect(ui_->cmdPrev, &QPushButton::clicked, this,
            [this] { handOver(QStringLiteral("firstuse2")); });
    connect(ui_->cmdFinish, &QPushButton::clicked, this, &PathsPage::finish);
}

PathsPage::~PathsPage() = default;

PathsPanel& PathsPage::paths() {
    return *ui_->paths;
}

void PathsPage::pickMapFolder() {
    // The caption is set before the picker shows: it tells the picker to deliver here.
    context_.windows.load(QStringLiteral("DirMaps"))->setWindowTitle(kWizardMapsCaption);
    context_.windows.show(QStringLiteral("DirMaps"));
}

void PathsPage::refuse(const char* text) {
    context_.desktop.message(this, QString::fromUtf8(text), QStringLiteral("Skyloom"),
                             MessageButtons::Ok, MessageIcon::None);
}

void PathsPage::finish() {
    const PathsValues v = paths().values();
    // Written first and checked afterwards: a refused page keeps what it wrote.
    std::vector<SettingWrite> writes{{"MISC", "tfc", v.tfc ? "true" : "false"}};
    if (v.tfc) writes.push_back({"GAMEDIR", "tfcmaps", v.tfcmaps});
    writes.push_back({"GAMEDIR", "program", v.program});
    writes.push_back({"GAMEDIR", "maps", v.maps});
    if (!saveSettings(context_, this, writes)) return;
    if (v.program.empty()) return refuse("You must specify where is skyloom.exe");
    if (v.maps.empty()) return refuse("You must specify where Half-Life is installed");
    if (v.tfc && v.tfcmaps.empty())
        return refuse("You must specify where is installed TFC, or uncheck the ratio");
    handOver(QStringLiteral("firstusedone"));
}

}  // namespace skyloom
