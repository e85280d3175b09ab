// The main window's presets: its set-up kept under a name, filled back, started from a shortcut.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>

#include "launcher/main_window.h"
#include "launcher/preset_shortcut.h"
#include "launcher/presets.h"
#include "platform/atomic_file.h"
#include "platform/settings_place.h"
#include "shell/outside_text.h"
#include "shell/save_settings.h"
#include "ui_main_window.h"

namespace skyloom {
namespace {

std::string shortcutPath(const std::string& name) {
    const std::string folder = shortcutFolder(qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                              QDir::homePath().toStdString());
    return folder.empty() ? std::string() : folder + '/' + shortcutFileName(name);
}

// Whether anything, a dangling link too, is at the path.
bool taken(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// This Skyloom as a shortcut must start it again: the same program and settings file.
ShortcutTarget thisSkyloom(const Settings& settings) {
    ShortcutTarget target;
    const std::string self =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    const QString onPath = QStandardPaths::findExecutable(QString::fromStdString(target.program));
    std::error_code error;
    if (onPath.isEmpty() ||
        !std::filesystem::equivalent(self, QFile::encodeName(onPath).toStdString(), error))
        target.program = self;
    if (settings.chosen()) target.settings = settings.filePath();
    return target;
}

// Writes the changes in one replace; a failure is told by saveSettings.
bool save(const AppContext& context, QWidget* parent, const std::vector<ProfileChange>& changes) {
    std::vector<SettingWrite> writes;
    for (const ProfileChange& c : changes)
        writes.push_back({c.section.c_str(), c.key.c_str(), c.value});
    return saveSettings(context, parent, writes);
}

}  // namespace

void MainWindow::connectPresetMenus() {
    connect(ui_->mnuPresets, &QMenu::aboutToShow, this, &MainWindow::fillPresetsMenu);
    connect(ui_->mnuFileitmSavePreset, &QAction::triggered, this, &MainWindow::savePreset);
    connect(ui_->mnuPresetsitmDelete, &QAction::triggered, this, &MainWindow::deletePreset);
    connect(ui_->mnuPresetsitmShortcut, &QAction::triggered, this, &MainWindow::makeShortcut);
}

// Read when the menu opens: another window or instance may have changed the file since.
void MainWindow::fillPresetsMenu() {
    QMenu* menu = ui_->mnuPresets;
    menu->clear();
    const std::vector<std::string> names = presetNames(context_.settings.text());
    for (const std::string& name : names) {
        QAction* item = menu->addAction(shownText(name).replace(u'&', QStringLiteral("&&")));
        connect(item, &QAction::triggered, this, [this, name] { fillFromPreset(name); });
    }
    if (!names.empty()) menu->addSeparator();
    menu->addAction(ui_->mnuPresetsitmDelete);
    menu->addAction(ui_->mnuPresetsitmShortcut);
    ui_->mnuPresetsitmDelete->setEnabled(!names.empty());
    ui_->mnuPresetsitmShortcut->setEnabled(!names.empty());
}

void MainWindow::savePreset() {
    const QString title = QStringLiteral("Save as preset");
    const std::optional<QString> typed =
        context_.desktop.askText(this, title, QStringLiteral("Name of the preset:"));
    if (!typed) return;
    const std::string name = typed->toStdString();
    if (const auto problem = presetNameProblem(name)) {
        context_.desktop.message(this, QString::fromStdString(*problem),
                                 QStringLiteral("Preset not saved"), MessageButtons::Ok,
                                 MessageIcon::Exclamation);
        return;
    }
    if (findPreset(context_.settings.text(), name) &&
        context_.desktop.message(
            this,
            QStringLiteral("There is a preset called \"%1\" already. Replace it?").arg(*typed),
            title, MessageButtons::YesNo, MessageIcon::Exclamation) != MessageAnswer::Yes)
        return;
    save(context_, this, presetWrites(name, {choices(), ui_->chkAdd->isChecked()}));
}

void MainWindow::fillFromPreset(const std::string& name) {
    const std::optional<Preset> preset = findPreset(context_.settings.text(), name);
    if (!preset) {
        context_.desktop.message(
            this, QStringLiteral("There is no preset called \"%1\" any more.").arg(shownText(name)),
            QStringLiteral("Presets"), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const GameChoices& c = preset->choices;
    const std::pair<QRadioButton*, GameType> types[] = {{ui_->optDM, GameType::Deathmatch},
                                                        {ui_->optSP, GameType::SinglePlayer},
                                                        {ui_->optTFC, GameType::TeamFortress},
                                                        {ui_->optCustom, GameType::Custom}};
    for (const auto& [button, type] : types) {
        if (type != c.type) continue;
        button->setChecked(true);
        chooseGameType(type);
    }
    chosenMap_ = ListedMapName{c.selectedMap, shownText(c.selectedMap)};
    ui_->txtSelMap->setText(chosenMap_->shown);
    ui_->dirFichiers->selectMap(c.selectedMap);
    if (!c.selectedMap.empty())
        ui_->txtSelMap->setToolTip(asPlainTip(QStringLiteral("The map currently selected is ") +
                                              shownText(c.selectedMap)));
    const QString difficulty = shownText(c.difficulty);
    ui_->cmbDifficult->setCurrentIndex(ui_->cmbDifficult->findText(difficulty));
    ui_->cmbDifficult->setEditText(difficulty);
    ui_->parameters->setText(shownText(c.parameters));
    ui_->txtCustom->setText(shownText(c.customFolder));
    // Each change runs the box's click behaviour, as the player's click would.
    ui_->cheats->setChecked(c.options.cheats);
    ui_->console->setChecked(c.options.console);
    ui_->dev->setChecked(c.options.dev);
    ui_->numeric->setChecked(c.options.numeric);
    ui_->chkAdd->setChecked(preset->showParameters);
}

std::optional<std::string> MainWindow::pickPreset(const QString& title) {
    const std::vector<std::string> names = presetNames(context_.settings.text());
    QStringList items;
    for (const std::string& name : names) items << shownText(name);
    const std::optional<int> picked =
        context_.desktop.chooseItem(this, title, QStringLiteral("Preset:"), items);
    if (!picked) return std::nullopt;
    return names[static_cast<size_t>(*picked)];
}

void MainWindow::deletePreset() {
    const QString title = QStringLiteral("Delete preset");
    const std::optional<std::string> name = pickPreset(title);
    if (!name || !save(context_, this, {presetRemoval(*name)})) return;
    const std::string shortcut = shortcutPath(*name);
    std::error_code error;
    if (shortcut.empty() || !taken(shortcut)) return;
    if (context_.desktop.message(
            this,
            QStringLiteral("Remove the desktop shortcut of \"%1\" too?").arg(shownText(*name)),
            title, MessageButtons::YesNo, MessageIcon::None) == MessageAnswer::Yes &&
        !std::filesystem::remove(shortcut, error))
        context_.desktop.message(
            this,
            QStringLiteral("The shortcut %1 could not be removed: %2.")
                .arg(shownText(shortcut), QString::fromStdString(error.message())),
            title, MessageButtons::Ok, MessageIcon::Exclamation);
}

void MainWindow::makeShortcut() {
    const QString title = QStringLiteral("Create desktop shortcut");
    const std::optional<std::string> name = pickPreset(title);
    if (!name) return;
    const ShortcutTarget target = thisSkyloom(context_.settings);
    if (const auto problem = shortcutProblem(*name, target)) {
        context_.desktop.message(this, shownText(*problem), title, MessageButtons::Ok,
                                 MessageIcon::Exclamation);
        return;
    }
    const std::string path = shortcutPath(*name);
    if (!path.empty() && taken(path) &&
        context_.desktop.message(
            this, QStringLiteral("There is a file %1 already. Replace it?").arg(shownText(path)),
            title, MessageButtons::YesNo, MessageIcon::Exclamation) != MessageAnswer::Yes)
        return;
    std::optional<std::string> error;
    if (path.empty())
        error = "there is no home folder and XDG_DATA_HOME is not set";
    else if (!(error = makeFolderFor(path)))
        // A link there is replaced, never written through.
        error =
            replaceFileAtomically(path, shortcutText(*name, target), FileUpdate::Links::Replace);
    if (error) {
        context_.desktop.message(
            this, QStringLiteral("The shortcut could not be written: %1.").arg(shownText(*error)),
            title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    context_.desktop.message(
        this,
        QStringLiteral("The shortcut \"%1\" is in %2.").arg(shownText(*name), shownText(path)),
        title, MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace skyloom
