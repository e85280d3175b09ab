#include "setup/configuration_window.h"

#include "setup/paths_panel.h"
#include "setup/save_settings.h"
#include "ui_configuration_window.h"
#include "ui_paths_panel.h"

namespace skyloom {

namespace {
const QString kMainWindow = QStringLiteral("sp");
}

ConfigurationWindow::ConfigurationWindow(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::ConfigurationWindow>()) {
    ui_->setupUi(this);
    paths().load(context_, kConfigPathsLook);
    Ui::PathsPanel& panel = paths().ui();
    connect(panel.cmdMaps, &QPushButton::clicked, this, [this] {
        openPicker(QStringLiteral("DirMaps"), QStringLiteral("Where are your Half-Life maps ?"));
    });
    connect(panel.cmdTFCMaps, &QPushButton::clicked, this, [this] {
        openPicker(QStringLiteral("DirMapsTFC"),
                   QStringLiteral("Where are installed your TFC maps ?"));
    });
    connect(ui_->cmdOK, &QPushButton::clicked, this, &ConfigurationWindow::cmdOK_Click);
    connect(ui_->Command3, &QPushButton::clicked, this, &ConfigurationWindow::Command3_Click);
}

ConfigurationWindow::~ConfigurationWindow() = default;

PathsPanel& ConfigurationWindow::paths() {
    return *ui_->paths;
}

void ConfigurationWindow::openPicker(const QString& picker, const QString& caption) {
    // Any caption but the wizard's makes DirMaps deliver here.
    if (QWidget* window = context_.windows.show(picker)) window->setWindowTitle(caption);
}

void ConfigurationWindow::cmdOK_Click() {
    const PathsValues v = paths().values();
    const char* tfc = v.tfc ? "true" : "false";
    std::vector<SettingWrite> writes{{"MISC", "tfc", tfc},
                                     {"GAMEDIR", "program", v.program},
                                     {"GAMEDIR", "maps", v.maps},
                                     {"GAMEDIR", "tfcmaps", v.tfcmaps}};
    for (SettingWrite& w : derivedFolderWrites(tfc, v.maps, v.tfcmaps, v.program))
        writes.push_back(std::move(w));
    if (!saveSettings(context_, this, writes)) return;
    bringBackMainWindow(true);
    context_.windows.unload(objectName());
}

void ConfigurationWindow::Command3_Click() {
    bringBackMainWindow(false);
    context_.windows.unload(objectName());
}

void ConfigurationWindow::closeEvent(QCloseEvent* event) {
    bringBackMainWindow(false);
    event->accept();
}

void ConfigurationWindow::bringBackMainWindow(bool reloadPaths) {
    // A main window that stayed loaded (hidden by its load) still shows what it read before
    // anything was configured; a closed one loads afresh when shown.
    const bool stayedLoaded = context_.windows.isLoaded(kMainWindow);
    context_.windows.show(kMainWindow);
    if (reloadPaths && stayedLoaded) context_.windows.reloadPaths(kMainWindow);
}

}  // namespace skyloom
