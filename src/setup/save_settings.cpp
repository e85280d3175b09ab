#include "setup/save_settings.h"

#include <QString>

#include "setup/wizard_folders.h"

namespace skyloom {

bool saveSettings(const AppContext& context, QWidget* parent,
                  const std::vector<SettingWrite>& writes) {
    for (const SettingWrite& w : writes) {
        const ProfileWriteResult result = context.settings.write(
            w.section, w.key, w.value ? std::optional<std::string_view>(*w.value) : std::nullopt);
        if (result.ok) continue;
        context.desktop.message(
            parent,
            QStringLiteral("Skyloom could not save your settings in \"%1\".\n\n%2")
                .arg(QString::fromStdString(context.settings.filePath()),
                     QString::fromStdString(result.reason)),
            QStringLiteral("Settings not saved"), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool saveDerivedFolders(const AppContext& context, QWidget* parent) {
    const Settings& s = context.settings;
    const std::string tfc = s.read("MISC", "tfc", "error", 100);
    const std::string tfcmaps = tfc == "true" ? s.readPath("tfcmaps", "error") : "";
    const WizardFolders folders = deriveWizardFolders(tfc, s.readPath("maps", "error"), tfcmaps,
                                                      s.readPath("program", "error"));
    return saveSettings(context, parent,
                        {{"GAMEDIR", "valve", folders.valve},
                         {"GAMEDIR", "tfcdir", folders.tfcdir},
                         {"GAMEDIR", "dds", folders.dds}});
}

bool reportSettingsProblem(const AppContext& context, QWidget* parent) {
    const std::optional<std::string> problem = profileFileProblem(context.settings.filePath());
    if (!problem) return false;
    context.desktop.message(
        parent,
        QString::fromStdString(*problem) +
            QStringLiteral(
                "\n\nSkyloom starts without your settings and leaves the file as it is."),
        QStringLiteral("Settings not read"), MessageButtons::Ok, MessageIcon::Exclamation);
    return true;
}

}  // namespace skyloom
