#include "servers/internet_list.h"

#include "servers/server_querier.h"
#include "servers/web_api.h"

namespace skyloom {

InternetList::InternetList(const ServerNetwork& network, ServerQuerier& querier, QObject* parent)
    : QObject(parent),
      network_(network),
      querier_(querier),
      master_(new MasterClient(network.timing, network.masterPageGapMs, this)),
      webApi_(new WebApiClient(network.timing.timeoutMs * (network.timing.retries + 1),
                               network.webApiDeadlineMs, this)) {
    connect(master_, &MasterClient::listed, this, &InternetList::add);
    connect(master_, &MasterClient::finished, this, &InternetList::finished);
    connect(webApi_, &WebApiClient::listed, this, &InternetList::add);
    connect(webApi_, &WebApiClient::finished, this, &InternetList::finished);
}

InternetList::~InternetList() = default;

void InternetList::fetch(const QString& master, const QString& webApiBase,
                         const std::string& gameFolder) {
    const quint64 serial = ++serial_;
    master_->cancel();
    webApi_->cancel();
    servers_.clear();
    const std::string filter = masterFilter(gameFolder);
    auto ask = [this, serial, master, webApiBase, filter](const QString& key) {
        if (serial != serial_) return;
        if (key.isEmpty())
            master_->fetch(master, filter);
        else
            webApi_->fetch(webApiBase, key, filter);
    };
    if (network_.webApiKey)
        network_.webApiKey(this, ask);
    else
        ask(QString());
}

void InternetList::add(const std::vector<MasterEntry>& entries) {
    std::vector<ServerAddress> fresh;
    for (const MasterEntry& e : entries) {
        const ServerAddress server = serverAddress(e);
        if (!servers_.insert(server).second) continue;
        querier_.query(server);
        fresh.push_back(server);
    }
    if (!fresh.empty()) emit listed(fresh);
}

}  // namespace skyloom
