#include "servers/server_network.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QTimer>

#include "servers/web_api_key.h"

namespace skyloom {

void resolveHost(const QString& host, QObject* context,
                 std::function<void(const QHostAddress& address)> done) {
    QHostAddress literal;
    if (literal.setAddress(host)) {
        QTimer::singleShot(0, context, [done, literal] { done(literal); });
        return;
    }
    QHostInfo::lookupHost(host, context, [done](const QHostInfo& info) {
        QHostAddress chosen;
        for (const QHostAddress& a : info.addresses())
            if (chosen.isNull() || (a.protocol() == QAbstractSocket::IPv4Protocol &&
                                    chosen.protocol() != QAbstractSocket::IPv4Protocol))
                chosen = a;
        done(chosen);
    });
}

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
