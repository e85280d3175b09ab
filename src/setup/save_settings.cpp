#include "setup/save_settings.h"

#include <QString>

#include "setup/wizard_folders.h"

namespace skyloom {

bool saveSettings(const AppContext& context, QWidget* parent,
                  const std::vector<SettingWrite>& writes) {
    std::vector<ProfileChange> changes;
    for (const SettingWrite& w : writes) changes.push_back({w.section, w.key, w.value});
    const ProfileWriteResult result = context.settings.write(changes);
    if (!result.ok) {
        context.desktop.message(
            parent,
            QStringLiteral("Skyloom could not save your settings in \"%1\".\n\n%2")
                .arg(QString::fromStdString(context.settings.filePath()),
                     QString::fromStdString(result.reason)),
            QStringLiteral("Settings not saved"), MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return result.ok;
}

std::vector<SettingWrite> derivedFolderWrites(std::string_view tfc, std::string_view maps,
                                              std::string_view tfcmaps, std::string_view program) {
    const WizardFolders folders =
        deriveWizardFolders(tfc, maps, tfc == "true" ? tfcmaps : "", program);
    return {{"GAMEDIR", "valve", folders.valve},
            {"GAMEDIR", "tfcdir", folders.tfcdir},
            {"GAMEDIR", "dds", folders.dds}};
}

bool reportSettingsProblem(const AppContext& context, QWidget* parent) {
    const std::optional<std::string> problem = profileFileProblem(context.settings.filePath());
    if (!problem) return false;
    // Once per start: the main window comes back after every other window.
    if (!context.settings.firstProblemReport()) return true;
    context.desktop.message(
        parent,
        QString::fromStdString(*problem) +
            QStringLiteral(
                "\n\nSkyloom starts without your settings and leaves the file as it is."),
        QStringLiteral("Settings not read"), MessageButtons::Ok, MessageIcon::Exclamation);
    return true;
}

}  // namespace skyloom
