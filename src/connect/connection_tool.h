#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "connect/connection_command.h"
#include "connect/server_filter.h"
#include "connect/server_store.h"
#include "shell/app_context.h"
#include "shell/start_status.h"

namespace Ui {
class ConnectionTool;
}

class QModelIndex;

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

private:
    void Form_Load();
    void cmdLaunch_Click();
    void join(const ServerAddress& server);  // asks for the password when the server has one
    void mnuFileitmSkyloom_Click();

    // The server queries and the server list (connection_servers.cpp).
    void cmdQuery_Click();
    void queryShown(const ServerAddress& server);  // shows it in the group, players included
    void cmdAddFavourite_Click();
    void cmdRemove_Click();
    void cmdFindLan_Click();
    void lstServers_SelectionChanged();
    void lstServers_DblClick(const QModelIndex& index);
    void showAnswer(const ServerAnswer& answer);
    void showInformation(const ServerAnswer* answer);  // of the server shown; none: nothing
    std::optional<ServerAddress> checkedFields();  // else says what to mend
    bool saveFavourites(const std::vector<ServerAddress>& favourites);
    void queryAll(const std::vector<ServerAddress>& servers);

    // The tabs, the Internet list, the filters, sorting and Recent (connection_internet.cpp).
    void loadListSettings();
    void tabSources_Change();
    void cmdRefresh_Click();
    void cboGame_Click();
    void mnuFileitmWebApiKey_Click();
    void fetchInternet();
    void internetListed(const std::vector<ServerAddress>& servers);
    void internetFinished(const ListOutcome& outcome);
    void showFilter(const ServerFilter& filter);
    void filtersChanged();
    void saveFilters();
    void showProgress();
    void rememberJoin(const ServerAddress& server);
    int tab() const;
    std::optional<int> selectedRow() const;  // in the model

    AppContext context_;
    std::unique_ptr<Ui::ConnectionTool> ui_;
    ServerStore store_;                   // every tab's servers and their last answers
    ServerQuerier* querier_;              // a child: closing the window cancels every query
    InternetList* internet_;              // the same
    ServerListModel* model_;              // the servers of the tab shown
    ServerListView* view_;                // those of them shown, filtered and sorted
    StartStatusLine* startStatus_ = nullptr;
    std::optional<ServerAddress> shown_;  // the server the information group is about
    std::array<ServerFilter, ServerStore::kTabs> filters_;
    std::array<bool, ServerStore::kTabs> unsavedFilters_{};
    QString internetNote_;  // how the Internet list ended, when it did not end well
    bool internetAsked_ = false, recentAsked_ = false;
    QTimer progressTimer_, saveTimer_;
};

}  // namespace skyloom
