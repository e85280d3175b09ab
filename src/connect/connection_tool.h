#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <vector>

#include "app/app_context.h"
#include "connect/connection_command.h"

namespace Ui {
class ConnectionTool;
}

class QTreeWidgetItem;

namespace skyloom {

class ServerQuerier;
struct ServerAnswer;

// The connection tool `connect`: starts the game straight onto a server by address and port,
// and asks servers (typed, favourite or found on the LAN) what they are playing first.
class ConnectionTool final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConnectionTool(const AppContext& context, QWidget* parent = nullptr);
    ~ConnectionTool() override;

    Ui::ConnectionTool& ui() { return *ui_; }

private:
    void Form_Load();
    void cmdLaunch_Click();
    void mnuFileitmSkyloom_Click();

    // The server queries and the server list (connection_servers.cpp).
    void cmdQuery_Click();
    void cmdAddFavourite_Click();
    void cmdRemove_Click();
    void cmdFindLan_Click();
    void lstServers_SelectionChanged();
    void lstServers_DblClick(QTreeWidgetItem* item);
    void showAnswer(const ServerAnswer& answer);
    void showInformation(const ServerAnswer& answer);
    std::optional<ServerAddress> checkedFields();  // else says what to mend
    QTreeWidgetItem* serverRow(const QString& address, bool create);
    bool saveFavourites(const std::vector<ServerAddress>& favourites);
    std::vector<ServerAddress> listedFavourites() const;

    AppContext context_;
    std::unique_ptr<Ui::ConnectionTool> ui_;
    ServerQuerier* querier_;  // a child: closing the window cancels every query
    QString queried_;         // "host:port" of the last Query click
};

}  // namespace skyloom
