#include "shell/save_settings.h"

#include <QString>

namespace skyloom {

bool saveSettings(const AppContext& context, QWidget* parent,
                  const std::vector<SettingWrite>& writes) {
    std::vector<ProfileChange> changes;
    for (const SettingWrite& w : writes) changes.push_back({w.section, w.key, w.value});
    return saveSettings(context, parent, [&changes](std::string_view) { return changes; });
}

bool saveSettings(
    const AppContext& context, QWidget* parent,
    const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor) {
    const ProfileWriteResult result = context.settings.update(changesFor);
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
