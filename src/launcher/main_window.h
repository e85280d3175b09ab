#pragma once

#include <QMainWindow>
#include <memory>

#include "launcher/game_command.h"
#include "shell/app_context.h"
#include "shell/map_file_list.h"

namespace Ui {
class MainWindow;
}

namespace skyloom {

class StartStatusLine;

// The main window `sp`: game type, map, options, launch, and the menus to every other window.
class MainWindow final : public QMainWindow, public LoadOnShow, public PathsReload {
    Q_OBJECT
public:
    explicit MainWindow(const AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    void loadOnShow() override;

    // Only the setup windows' test still reaches the controls so.
    bool closeAfterLaunch() const;

    // Reads the TFC flag and the listed map folder again, after the configuration window saved
    // them while this window stayed loaded. The player's choices stay.
    void reloadPaths() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void connectMenus();

    // Game types and maps.
    void chooseGameType(GameType type);
    void listMaps(const char* key);
    void chooseDeathmatch() { chooseGameType(GameType::Deathmatch); }
    void chooseSinglePlayer() { chooseGameType(GameType::SinglePlayer); }
    void chooseTfc() { chooseGameType(GameType::TeamFortress); }
    void chooseCustomMode() { chooseGameType(GameType::Custom); }
    void selectMap();

    // Options and command lines.
    void refreshOptionPreview();
    void showParameters();
    GameChoices choices() const;

    // Launching.
    void launchGame();
    void launchCustomMode();

    // Menus.
    // Opens another window in place of this one, which loses its choices.
    void handOverTo(const QString& window);
    void openDeathmatchMaker();
    void openAdvancedLauncher();
    void openConfiguration();
    void openMapCycleEditor();
    void openConnectionTool();
    void quit();
    void resetAll();
    void showAbout();

    // Presets (main_window_presets.cpp).
    void connectPresetMenus();
    void fillPresetsMenu();
    void savePreset();
    void deletePreset();
    void makeShortcut();
    void fillFromPreset(const std::string& name);
    // The preset the player picks from a list titled so; nothing when none is picked.
    std::optional<std::string> pickPreset(const QString& title);

    AppContext context_;
    std::unique_ptr<Ui::MainWindow> ui_;
    // The listed map last put in the map field, given to the game while the field shows it.
    std::optional<ListedMapName> chosenMap_;
    StartStatusLine* startStatus_;
};

}  // namespace skyloom
