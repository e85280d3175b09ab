#include "servers/server_network.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QTimer>

#include "servers/web_api_key.h"

namespace skyloom {

QHostAddress sendableAddress(const QHostAddress& address) {
    QHostAddress a = address;
    if (a.protocol() == QAbstractSocket::IPv6Protocol) {
        const Q_IPV6ADDR ip = a.toIPv6Address();
        bool zeros = true;  // the first 80 bits
        for (int i = 0; i < 10; ++i) zeros = zeros && ip[i] == 0;
        const bool mapped = zeros && ip[10] == 0xFF && ip[11] == 0xFF;
        const bool compatible = zeros && ip[10] == 0 && ip[11] == 0 &&
                                (ip[12] | ip[13] | ip[14] | (ip[15] & 0xFE)) != 0;  // not ::, ::1
        if (mapped || compatible)
            a = QHostAddress(quint32(ip[12]) << 24 | quint32(ip[13]) << 16 | quint32(ip[14]) << 8 |
                             ip[15]);
    }
    const bool any = a.protocol() == QAbstractSocket::IPv4Protocol
                         ? a.toIPv4Address() == 0
                         : a == QHostAddress(QHostAddress::AnyIPv6);
    return any ? QHostAddress() : a;
}

void resolveHost(const QString& host, QObject* context,
                 std::function<void(const QHostAddress& address)> done) {
    QHostAddress literal;
    if (literal.setAddress(host)) {
        QTimer::singleShot(0, context,
                           [done, literal = sendableAddress(literal)] { done(literal); });
        return;
    }
    QHostInfo::lookupHost(host, context, [done](const QHostInfo& info) {
        QHostAddress chosen;
        for (const QHostAddress& a : info.addresses())
            if (chosen.isNull() || (a.protocol() == QAbstractSocket::IPv4Protocol &&
                                    chosen.protocol() != QAbstractSocket::IPv4Protocol))
                chosen = a;
        done(sendableAddress(chosen));
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
