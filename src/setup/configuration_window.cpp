#include "setup/configuration_window.h"

#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "setup/paths_panel.h"
#include "setup/wizard_folders.h"
#include "shell/save_settings.h"
#include "ui_configuration_window.h"
#include "ui_paths_panel.h"

namespace skyloom {

namespace {
const QString kMainWindow = QStringLiteral("sp");

// The width a field needs to show the whole of its text: the text, its frame and its margins.
int wholeTextWidth(const QLineEdit* field) {
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    return field->fontMetrics().horizontalAdvance(field->text()) + 2 * frame + 6;
}
}  // namespace

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
    connect(ui_->cmdOK, &QPushButton::clicked, this, &ConfigurationWindow::saveAndClose);
    connect(ui_->Command3, &QPushButton::clicked, this, &ConfigurationWindow::cancel);
    // Opens wide enough for the whole of each path, as far as the screen allows.
    for (QWidget* w : QWidgetList{this} + findChildren<QWidget*>())
        if (w->layout()) w->layout()->activate();
    int wider = 0;
    for (const QLineEdit* field : paths().findChildren<QLineEdit*>())
        wider = std::max(wider, wholeTextWidth(field) - field->width());
    const int room = screen() ? screen()->availableGeometry().width() - 16 : width() + wider;
    resize(std::max(width(), std::min(width() + wider, room)), height());
}

ConfigurationWindow::~ConfigurationWindow() = default;

PathsPanel& ConfigurationWindow::paths() {
    return *ui_->paths;
}

void ConfigurationWindow::openPicker(const QString& picker, const QString& caption) {
    // Any caption but the wizard's makes DirMaps deliver here.
    if (QWidget* window = context_.windows.show(picker)) window->setWindowTitle(caption);
}

void ConfigurationWindow::saveAndClose() {
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

void ConfigurationWindow::cancel() {
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
