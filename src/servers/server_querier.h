#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "servers/a2s.h"
#include "servers/server_address.h"
#include "servers/server_network.h"

class QUdpSocket;

namespace skyloom {

struct ServerAnswer {
    enum class Status { Answered, NoAnswer, Invalid };

    ServerAddress server;  // as asked; for a LAN server, the address that answered
    Status status = Status::NoAnswer;
    ServerInfo info;  // filled when answered
    // How the players and rules went: a failure after the information keeps the information.
    Status playersStatus = Status::Answered;
    PlayerList players;
    RuleList rules;
    int pingMs = -1;  // round trip of the last INFO exchange

    // "host:port", an IPv6 literal in brackets.
    QString address() const { return QString::fromStdString(formatServerAddress(server)); }
};

// Asks servers over one UDP socket on the event loop: many queries at once, each with its own
// time-out and retries, answers told apart by the address they come from. Destroying it
// cancels everything in flight without a word.
class ServerQuerier final : public QObject {
    Q_OBJECT
public:
    enum Part { Info = 1, Players = 2, Rules = 4 };

    explicit ServerQuerier(QueryTiming timing, QObject* parent = nullptr);
    ~ServerQuerier() override;

    // Queries one server for the given parts; a query still running for the same server
    // gives way to this one. `answered` tells how it went.
    void query(const ServerAddress& server, int parts = Info);

    // Sends an INFO request to every target on every port; each server that answers from one
    // of those ports within `ms` is told by `lanServerFound`, then `lanSearchFinished` follows.
    // A server's challenge is answered once, and only once.
    void searchLan(const QList<QHostAddress>& targets, quint16 firstPort, quint16 lastPort, int ms);

signals:
    void answered(const skyloom::ServerAnswer& answer);
    void lanServerFound(const skyloom::ServerAnswer& answer);
    void lanSearchFinished();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Query;

    void resolved(const QString& key, quint64 serial, const QHostAddress& address);
    void start(Query& q);
    void send(Query& q);
    void readDatagrams();
    void receive(const QHostAddress& from, quint16 port, std::span<const std::uint8_t> data);
    void handle(Query& q, std::span<const std::uint8_t> packet);
    void advance(Query& q);
    void finish(Query& q, ServerAnswer::Status status);
    // Ends a query that failed: after its information, only the players and rules failed.
    void fail(Query& q, ServerAnswer::Status status);
    void drop(Query& q);
    void startWaiting();

    QueryTiming timing_;
    QUdpSocket* socket_;
    std::map<QString, std::unique_ptr<Query>> queries_;  // by "host:port" as asked
    std::map<quint64, Query*> byEndpoint_;               // by the address answers come from
    std::map<int, Query*> byTimer_;
    std::deque<std::pair<QString, quint64>> waiting_;
    int active_ = 0;
    int maxActive_ = 0;
    quint64 nextSerial_ = 1;
    std::set<quint64> lanSeen_;  // the servers this LAN search heard from
    quint16 lanFirstPort_ = 0, lanLastPort_ = 0;
    QTimer lanTimer_;
    QElapsedTimer lanClock_;
};

}  // namespace skyloom
