#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connect/connection_command.h"
#include "connect/server_filter.h"
#include "servers/server_store.h"
#include "shell/app_context.h"
#include "shell/start_status.h"

namespace Ui {
class ConnectionTool;
}

class QLabel;
class QModelIndex;
class QPushButton;

namespace skyloom {

class ServerQuerier;
class InternetList;
class ServerListModel;
class ServerListView;
struct ListOutcome;

// The connection tool `connect`: starts the game straight onto a server by address and port,
// and asks servers (typed, favourite, found on the LAN or listed by the master server) what they
// are playing first. The list shows one source at a time, filtered by that tab's filters and
// sorted.
class ConnectionTool final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConnectionTool(const AppContext& context, QWidget* parent = nullptr);
    ~ConnectionTool() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp();
    void showMainWindow();

    // The door: every join, typed or listed, goes through here (connection_door.cpp).
    void setUpDoor();
    void joinTyped();                                // asks the server first, at most a second
    void typedAnswered(const ServerAnswer* answer);  // none: it did not answer in time
    void joinServer(const ServerAddress& server, const ServerAnswer* known);
    void startJoin(const ServerAddress& server, const std::optional<std::string>& password);
    void waitForPlace(const ServerAddress& server, const std::optional<std::string>& password);
    void waitAnswered(const ServerAnswer& answer);
    void showWait();
    void endWait(const QString& why);

    // The server queries and the server list (connection_servers.cpp).
    void queryTyped();
    void queryShown(const ServerAddress& server);  // shows it in the group, players included
    void addFavourite(const ServerAddress& server);
    void removeFavourite(const ServerAddress& server);
    void showRowActions();
    void findLanServers();
    void showSelected();
    void storeAnswer(const ServerAnswer& answer);
    void showInformation(const ServerAnswer* answer);  // of the server shown; none: nothing
    std::optional<ServerAddress> checkedFields();      // else says what to mend
    bool saveFavourites(const std::vector<ServerAddress>& favourites);
    void queryAll(const std::vector<ServerAddress>& servers);
    void addRowActions();
    void sizeColumns();
    void placeDetails();
    void fitScreen();

    // The tabs, the Internet list, the filters, sorting and Recent (connection_internet.cpp).
    void loadListSettings();
    void showTab();
    void refreshTab();
    void chooseGame();
    void askWebApiKey();
    void fetchInternet();
    void internetFinished(const ListOutcome& outcome);
    void showFilter(const ServerFilter& filter);
    void filtersChanged();
    void saveFilters();
    void showProgress();
    void rememberJoin(const ServerAddress& server);
    int tab() const;
    std::optional<ServerAddress> selectedServer() const;

    AppContext context_;
    std::unique_ptr<Ui::ConnectionTool> ui_;
    ServerStore* store_;      // every tab's servers and their last answers
    ServerQuerier* querier_;  // a child: closing the window cancels every query
    InternetList* internet_;  // the same
    ServerListModel* model_;  // the servers of the tab shown
    ServerListView* view_;    // those of them shown, filtered and sorted
    StartStatusLine* startStatus_ = nullptr;
    QLabel* doorStatus_ = nullptr;
    QPushButton* cancelWait_ = nullptr;
    std::optional<ServerAddress> shown_;  // the server the information group is about
    std::array<ServerFilter, ServerStore::kTabs> filters_;
    std::array<bool, ServerStore::kTabs> unsavedFilters_{};
    std::size_t favouritesLeftOut_ = 0;
    QString internetNote_;  // how the Internet list ended, when it did not end well
    bool internetAsked_ = false, recentAsked_ = false;
    QTimer progressTimer_, saveTimer_;

    std::optional<ServerAddress> typed_;  // asked before joining
    QTimer typedTimer_;
    struct Wait {
        ServerAddress server;
        std::optional<std::string> password;
        QString name;
        QElapsedTimer since;
    };
    std::optional<Wait> wait_;
    QTimer pollTimer_, tickTimer_;
};

}  // namespace skyloom
