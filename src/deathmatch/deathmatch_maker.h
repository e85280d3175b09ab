#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "deathmatch/server_config.h"
#include "shell/app_context.h"
#include "shell/map_file_list.h"

class QLabel;

namespace Ui {
class DeathmatchMaker;
}

namespace skyloom {

class StartStatusLine;

// The Deathmatch Maker `DM`: server settings, the first map, and `skyloom.cfg` in the game's
// `valve` folder, optionally followed by a deathmatch server start.
class DeathmatchMaker final : public QMainWindow {
    Q_OBJECT
public:
    explicit DeathmatchMaker(const AppContext& context, QWidget* parent = nullptr);
    ~DeathmatchMaker() override;

private:
    void readMapFolder();
    void enablePassword();
    void selectMap();
    void showHelp();
    void saveConfig();
    void saveAndLaunch();
    void backToMainWindow();

    ServerSettings serverSettings() const;
    void showServerSettings(const ServerSettings& s);
    // What `skyloom.cfg` in the valve folder holds; the defaults when there is none.
    ServerConfigFile readServerConfigFile(const std::string& valveFolder) const;
    // Runs the check and writes the file; false when the player was told why not.
    bool writeServerConfig(const std::string& valveFolder);
    std::string readGameDir(const char* key) const;
    void tell(const QString& text, const QString& title, MessageIcon icon);
    // The first-map field's text for the chosen map: its name less the extension.
    QString chosenMapText() const;
    void showHowFriendsJoin();

    AppContext context_;
    std::unique_ptr<Ui::DeathmatchMaker> ui_;
    // The listed map last taken into the first-map field, started while the field shows it.
    std::optional<ListedMapName> chosenMap_;
    StartStatusLine* startStatus_;
    // After a server start: where friends join it.
    QLabel* joinHelp_ = nullptr;
};

}  // namespace skyloom
