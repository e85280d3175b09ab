#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

namespace skyloom {

// How long a query waits for each answer and how often it asks again.
struct QueryTiming {
    int timeoutMs = 3000;
    int retries = 2;
};

// What the server queries may reach. The program asks the network interfaces; tests hand in
// loopback addresses and ports of their own, so no test packet leaves the machine.
struct ServerNetwork {
    std::function<QList<QHostAddress>()> lanTargets;  // where "Find LAN servers" sends
    quint16 firstLanPort = 27015;
    quint16 lastLanPort = 27020;
    int lanSearchMs = 3000;
    QueryTiming timing;
    int masterPageGapMs = 1000;  // masters refuse players who ask more often
    // Reads the player's Steam Web API key and calls back with it, empty when there is none.
    // Unset: no key, the master server answers.
    std::function<void(QObject* context, std::function<void(const QString& key)> done)> webApiKey;
    // Keeps a new key (empty: none) and calls back whether the store took it.
    std::function<void(QObject* context, const QString& key, std::function<void(bool ok)> done)>
        storeWebApiKey;
    // Asked before each query is sent; unset: every address. Tests keep their packets on loopback
    // and see where a hostile list would have sent them.
    std::function<bool(const QHostAddress& to)> mayReach;
    // The Web API's whole answer must have come by then: one that drips never ends otherwise.
    int webApiDeadlineMs = 30000;
    // A full server the player waits on is asked again this often, for at most this long.
    int fullPollMs = 5000;
    int fullWaitMs = 10 * 60 * 1000;
};

// The address packets go to: an IPv4-mapped or IPv4-compatible IPv6 address as the IPv4 one
// inside it, so it is judged and sent as IPv4; null for "any address" (0.0.0.0, ::), which
// would reach this host.
QHostAddress sendableAddress(const QHostAddress& address);

// The host's address (as sendableAddress() gives it), an IPv4 one when it has both, or a null
// address; told on the event loop,
// never before the caller returns, and not at all once `context` is gone.
void resolveHost(const QString& host, QObject* context,
                 std::function<void(const QHostAddress& address)> done);

// The broadcast address of every interface that is up, and 127.0.0.1.
ServerNetwork systemServerNetwork();

}  // namespace skyloom
