#pragma once

#include <QObject>
#include <QString>
#include <set>
#include <vector>

#include "servers/master_client.h"
#include "servers/server_network.h"

namespace skyloom {

class WebApiClient;
class ServerQuerier;

// A game's internet servers, listed and queried: the list comes from Steam's Web API when the
// player keeps a key, else from the master server, and each new server in it is asked for its
// information as it arrives. The Internet tab and `--list-servers` both go through it.
// Destroying it cancels the list; the queries are the querier's.
class InternetList final : public QObject {
    Q_OBJECT
public:
    InternetList(const ServerNetwork& network, ServerQuerier& querier, QObject* parent = nullptr);
    ~InternetList() override;

    // `gameFolder` is "valve" or "tfc". Starts again; a list still arriving is dropped.
    void fetch(const QString& master, const QString& webApiBase, const std::string& gameFolder);

    // The servers listed since the last fetch.
    const std::set<ServerAddress>& servers() const { return servers_; }

signals:
    void listed(const std::vector<skyloom::ServerAddress>& servers);  // new ones, being queried
    void finished(const skyloom::ListOutcome& outcome);

private:
    void add(const std::vector<MasterEntry>& entries);

    const ServerNetwork& network_;
    ServerQuerier& querier_;
    MasterClient* master_;
    WebApiClient* webApi_;
    std::set<ServerAddress> servers_;
    quint64 serial_ = 0;
};

}  // namespace skyloom
