#include "servers/internet_list.h"

#include "servers/web_api.h"

namespace skyloom {

InternetList::InternetList(const ServerNetwork& network, QObject* parent)
    : QObject(parent),
      network_(network),
      master_(new MasterClient(network.timing, network.masterPageGapMs, this)),
      webApi_(new WebApiClient(network.timing.timeoutMs * (network.timing.retries + 1), this)) {
    connect(master_, &MasterClient::listed, this, &InternetList::listed);
    connect(master_, &MasterClient::finished, this, &InternetList::finished);
    connect(webApi_, &WebApiClient::listed, this, &InternetList::listed);
    connect(webApi_, &WebApiClient::finished, this, &InternetList::finished);
}

InternetList::~InternetList() = default;

void InternetList::fetch(const QString& master, const QString& webApiBase,
                         const std::string& gameFolder) {
    const quint64 serial = ++serial_;
    master_->cancel();
    webApi_->cancel();
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

}  // namespace skyloom
