#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "servers/master_client.h"
#include "servers/server_network.h"

namespace skyloom {

class WebApiClient;

// Where the Internet list comes from: Steam's Web API when the player keeps a key, else the
// master server. Destroying it cancels both.
class InternetList final : public QObject {
    Q_OBJECT
public:
    InternetList(const ServerNetwork& network, QObject* parent = nullptr);
    ~InternetList() override;

    // `gameFolder` is "valve" or "tfc". Starts again; a list still arriving is dropped.
    void fetch(const QString& master, const QString& webApiBase, const std::string& gameFolder);

signals:
    void listed(const std::vector<skyloom::MasterEntry>& servers);
    void finished(const skyloom::ListOutcome& outcome);

private:
    const ServerNetwork& network_;
    MasterClient* master_;
    WebApiClient* webApi_;
    quint64 serial_ = 0;
};

}  // namespace skyloom
