#include "servers/server_network.h"

#include <QNetworkInterface>

#include "servers/web_api_key.h"

namespace skyloom {

ServerNetwork systemServerNetwork() {
    ServerNetwork network;
    network.lanTargets = [] {
        QList<QHostAddress> targets{QHostAddress(QHostAddress::LocalHost)};
        for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
            if (!(i.flags() & QNetworkInterface::IsUp) ||
                !(i.flags() & QNetworkInterface::CanBroadcast))
                continue;
            for (const QNetworkAddressEntry& e : i.addressEntries())
                if (!e.broadcast().isNull() && !targets.contains(e.broadcast()))
                    targets.append(e.broadcast());
        }
        return targets;
    };
    network.webApiKey = readWebApiKey;
    network.storeWebApiKey = writeWebApiKey;
    return network;
}

}  // namespace skyloom
