#pragma once

#include <QMainWindow>
#include <memory>

#include "app/app_context.h"
#include "launcher/game_command.h"

namespace Ui {
class MainWindow;
}

namespace skyloom {

// The main window `sp`: game type, map, options, launch, and the menus to every other window.
class MainWindow final : public QMainWindow, public FormLoad {
    Q_OBJECT
public:
    explicit MainWindow(const AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    void Form_Load() override;

    Ui::MainWindow& ui() { return *ui_; }
    bool closeAfterLaunch() const;

private:
    void connectControls();
    void connectMenus();

    // Game types and maps.
    void chooseGameType(GameType type);
    void optDM_Click() { chooseGameType(GameType::Deathmatch); }
    void optSP_Click() { chooseGameType(GameType::SinglePlayer); }
    void optTFC_Click() { chooseGameType(GameType::TeamFortress); }
    void optCustom_Click() { chooseGameType(GameType::Custom); }
    void confirmMap_Click();

    // Options and command lines.
    void RefreshOptionPreview();
    void chkAdd_Click();
    GameChoices choices() const;

    // Launching.
    void launch_Click();
    void launchCustom_Click();
    std::optional<std::string> configuredGameFolder();
    bool startGame(const std::string& command, const std::string& folder);

    // Menus.
    void mnuFileMapcleItm_Click();
    void mnuFileitmConnect_Click();
    void mnuFichieritmQuitter_Click();
    void mnuEdititmReset_Click();
    void mnuHelpitmAbout_Click();

    std::string readSetting(const char* section, const char* key, int max = 100) const;

    AppContext context_;
    std::unique_ptr<Ui::MainWindow> ui_;
};

}  // namespace skyloom
