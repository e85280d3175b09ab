#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "servers/a2s.h"
#include "servers/server_address.h"
#include "servers/server_answer.h"
#include "servers/server_network.h"

class QUdpSocket;

namespace skyloom {

// Asks servers over UDP (one socket for IPv4, one for IPv6) on the event loop: many queries at
// once, each with its own time-out and retries, answers told apart by the address they come
// from. Nothing goes to a multicast or broadcast address but the LAN search. Destroying it
// cancels everything in flight without a word.
class ServerQuerier final : public QObject {
    Q_OBJECT
public:
    enum Part { Info = 1, Players = 2, Rules = 4 };

    // `network` outlives it.
    explicit ServerQuerier(const ServerNetwork& network, QObject* parent = nullptr);
    ~ServerQuerier() override;

    // Queries one server for the given parts; a query still running for the same server
    // gives way to this one. `informed` tells the information as soon as it comes when more
    // parts follow; `answered` tells how it all went.
    void query(const ServerAddress& server, int parts = Info);

    // Sends an INFO request to every target on every port; each server that answers from one
    // of those ports within `ms` is told by `lanServerFound`, then `lanSearchFinished` follows.
    // A server's challenge is answered once, and only once.
    void searchLan(const QList<QHostAddress>& targets, quint16 firstPort, quint16 lastPort, int ms);

signals:
    void informed(const skyloom::ServerAnswer& answer);
    void answered(const skyloom::ServerAnswer& answer);
    void lanServerFound(const skyloom::ServerAnswer& answer);
    void lanSearchFinished();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Query;

    // An answer's sender: the address as IPv6 (an IPv4 one mapped), and the port.
    using Endpoint = std::pair<std::array<quint8, 16>, quint16>;
    static Endpoint endpoint(const QHostAddress& address, quint16 port);

    void resolved(const ServerAddress& server, quint64 serial, const QHostAddress& address);
    void start(Query& q);
    void send(Query& q);
    void readDatagrams(QUdpSocket* socket);
    void write(const Bytes& datagram, const QHostAddress& to, quint16 port);
    void receive(const QHostAddress& from, quint16 port, std::span<const std::uint8_t> data);
    void handle(Query& q, std::span<const std::uint8_t> packet);
    void advance(Query& q);
    void finish(Query& q, ServerAnswer::Status status);
    // Ends a query that failed: after its information, only the players and rules failed.
    void fail(Query& q, ServerAnswer::Status status);
    void drop(Query& q);
    void startWaiting();

    const ServerNetwork& network_;  // read at each use
    QUdpSocket *socket_, *socket6_;
    std::map<ServerAddress, std::unique_ptr<Query>> queries_;  // by the server as asked
    std::map<Endpoint, Query*> byEndpoint_;                    // by the address answers come from
    std::map<int, Query*> byTimer_;
    std::deque<std::pair<ServerAddress, quint64>> waiting_;
    int active_ = 0;
    int maxActive_ = 0;
    quint64 nextSerial_ = 1;
    std::set<Endpoint> lanSeen_;  // the servers this LAN search heard from
    quint16 lanFirstPort_ = 0, lanLastPort_ = 0;
    QTimer lanTimer_;
    QElapsedTimer lanClock_;
};

}  // namespace skyloom
