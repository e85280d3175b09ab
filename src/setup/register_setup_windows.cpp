#include "setup/register_setup_windows.h"

#include "setup/configuration_window.h"
#include "setup/directory_picker.h"
#include "setup/done_page.h"
#include "setup/name_page.h"
#include "setup/paths_page.h"
#include "setup/welcome_page.h"

namespace skyloom {

namespace {

void addPicker(const AppContext& context, const QString& name, const QString& caption,
               DirectoryPicker::TargetOf target) {
    context.windows.add(
        name, [context, caption, target] { return new DirectoryPicker(context, caption, target); });
}

}  // namespace

void registerSetupWindows(const AppContext& context) {
    WindowRegistry& w = context.windows;
    w.add(QStringLiteral("firstuse1"), [context] { return new WelcomePage(context); });
    w.add(QStringLiteral("firstuse2"), [context] { return new NamePage(context); });
    w.add(QStringLiteral("firstuseconfig"), [context] { return new PathsPage(context); });
    w.add(QStringLiteral("firstusedone"), [context] { return new DonePage(context); });
    w.add(QStringLiteral("config"), [context] { return new ConfigurationWindow(context); });

    const QString maps = QStringLiteral("txtMaps");
    const QString tfcMaps = QStringLiteral("TFCmaps");
    // DirMaps serves two windows and tells them apart by its own caption.
    addPicker(context, QStringLiteral("DirMaps"), QStringLiteral("Half-Life"),
              [maps](const QString& caption) {
                  return caption == QLatin1String(kWizardMapsCaption)
                             ? PickerTarget{QStringLiteral("firstuseconfig"), maps}
                             : PickerTarget{QStringLiteral("config"), maps};
              });
    addPicker(context, QStringLiteral("DirMapsTFC"), QStringLiteral("Half-Life"),
              [tfcMaps](const QString&) {
                  return PickerTarget{QStringLiteral("config"), tfcMaps};
              });
    addPicker(context, QStringLiteral("configtfc"),
              QStringLiteral("First configuration - TFC maps directory"),
              [tfcMaps](const QString&) {
                  return PickerTarget{QStringLiteral("firstuseconfig"), tfcMaps};
              });
}

}  // namespace skyloom
