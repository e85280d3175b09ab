#include "servers/server_querier.h"

#include <QTimerEvent>
#include <QUdpSocket>
#include <QVariant>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace skyloom {

namespace {

// Enough to keep a fast network busy while the socket's receive buffer still holds every answer
// that can arrive between two reads.
constexpr int kMaxActive = 128;
// What the answers of one query in flight can take of the receive buffer: a server may send
// both forms of its information, and the kernel counts a full datagram as about 2.3 KB.
constexpr int kBufferPerQuery = 2 * 2304;
constexpr int kMinActive = 8;
// One challenge exchange per request: a server that hands out another is not answering.
constexpr int kMaxChallenges = 1;

// Whether the system may send to many hosts from this socket; only the LAN search does.
void allowBroadcast(QUdpSocket* socket, bool allow) {
#ifdef Q_OS_UNIX
    const int on = allow;
    ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_BROADCAST, &on,
                 sizeof on);
#else
    (void)socket, (void)allow;
#endif
}

// Multicast, reserved and the limited broadcast: never one server. A directed broadcast is
// refused by the system, the sockets being without broadcast outside the LAN search.
bool manyHosts(const QHostAddress& a) {
    return a.isMulticast() ||
           (a.protocol() == QAbstractSocket::IPv4Protocol && a.toIPv4Address() >= 0xF0000000);
}

}  // namespace

ServerQuerier::Endpoint ServerQuerier::endpoint(const QHostAddress& address, quint16 port) {
    const Q_IPV6ADDR ip = address.toIPv6Address();
    Endpoint e{{}, port};
    std::copy(std::begin(ip.c), std::end(ip.c), e.first.begin());
    return e;
}

struct ServerQuerier::Query {
    ServerAddress server;  // as asked
    quint64 serial = 0;
    ServerAnswer answer;
    QHostAddress address;
    quint16 port = 0;
    int parts = Info;
    Request stage = Request::Info;
    int attemptsLeft = 0;
    int challenges = 0;
    std::optional<Challenge> challenge;
    QElapsedTimer sentAt;
    int timerId = 0;
    bool active = false;
    bool lan = false;
    SplitAssembler splits;
};

ServerQuerier::ServerQuerier(const ServerNetwork& network, QObject* parent)
    : QObject(parent),
      network_(network),
      socket_(new QUdpSocket(this)),
      socket6_(new QUdpSocket(this)) {
    socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    socket6_->bind(QHostAddress(QHostAddress::AnyIPv6), 0);
    for (QUdpSocket* socket : {socket_, socket6_}) {
        allowBroadcast(socket, false);
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readDatagrams(socket); });
    }
    // The default buffer drops answers when many servers answer at once; where the system
    // grants less than asked, fewer queries fly at a time.
    socket_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                             kMaxActive * kBufferPerQuery * 2);
    const int granted =
        socket_->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    maxActive_ = std::clamp(granted / kBufferPerQuery, kMinActive, kMaxActive);
    lanTimer_.setSingleShot(true);
    connect(&lanTimer_, &QTimer::timeout, this, &ServerQuerier::lanSearchFinished);
}

ServerQuerier::~ServerQuerier() = default;

void ServerQuerier::query(const ServerAddress& server, int parts) {
    auto q = std::make_unique<Query>();
    const quint64 serial = q->serial = nextSerial_++;
    q->server = q->answer.server = server;
    q->port = server.port;
    q->parts = parts | Info;
    if (auto old = queries_.find(server); old != queries_.end()) drop(*old->second);
    queries_[server] = std::move(q);
    const QString host = QString::fromStdString(server.host);
    resolveHost(host, this, [this, server, serial](const QHostAddress& address) {
        resolved(server, serial, address);
    });
}

void ServerQuerier::resolved(const ServerAddress& server, quint64 serial,
                             const QHostAddress& address) {
    const auto it = queries_.find(server);
    if (it == queries_.end() || it->second->serial != serial) return;
    Query& q = *it->second;
    // Nothing to send to: told as the silence it is, but not before the caller returns.
    if (address.isNull() || manyHosts(address) ||
        (network_.mayReach && !network_.mayReach(address))) {
        QTimer::singleShot(0, this, [this, server, serial] {
            const auto again = queries_.find(server);
            if (again != queries_.end() && again->second->serial == serial)
                finish(*again->second, ServerAnswer::Status::NoAnswer);
        });
        return;
    }
    q.address = address;
    const Endpoint at = endpoint(address, q.port);
    if (auto other = byEndpoint_.find(at); other != byEndpoint_.end()) drop(*other->second);
    byEndpoint_[at] = &q;
    if (active_ < maxActive_)
        start(q);
    else
        waiting_.emplace_back(server, serial);
}

void ServerQuerier::start(Query& q) {
    q.active = true;
    ++active_;
    q.stage = Request::Info;
    q.attemptsLeft = network_.timing.retries;
    send(q);
}

void ServerQuerier::write(const Bytes& datagram, const QHostAddress& to, quint16 port) {
    QUdpSocket* socket = to.protocol() == QAbstractSocket::IPv6Protocol ? socket6_ : socket_;
    socket->writeDatagram(reinterpret_cast<const char*>(datagram.data()),
                          static_cast<qint64>(datagram.size()), to, port);
}

void ServerQuerier::send(Query& q) {
    write(buildRequest(q.stage, q.challenge), q.address, q.port);
    q.sentAt.start();
    if (q.timerId) {
        killTimer(q.timerId);
        byTimer_.erase(q.timerId);
    }
    q.timerId = startTimer(network_.timing.timeoutMs);
    byTimer_[q.timerId] = &q;
}

void ServerQuerier::timerEvent(QTimerEvent* event) {
    const auto it = byTimer_.find(event->timerId());
    if (it == byTimer_.end()) return QObject::timerEvent(event);
    Query& q = *it->second;
    if (q.attemptsLeft-- > 0) {
        q.splits.clear();  // what came of the last try is incomplete for good
        send(q);
        return;
    }
    fail(q, ServerAnswer::Status::NoAnswer);
}

void ServerQuerier::readDatagrams(QUdpSocket* socket) {
    std::array<std::uint8_t, kMaxDatagram + 1> buffer;
    while (socket->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 port = 0;
        const qint64 size = socket->readDatagram(reinterpret_cast<char*>(buffer.data()),
                                                 qint64{buffer.size()}, &from, &port);
        if (size < 0) continue;
        receive(from, port,
                std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(size)));
    }
}

void ServerQuerier::receive(const QHostAddress& from, quint16 port,
                            std::span<const std::uint8_t> data) {
    const Endpoint at = endpoint(from, port);
    const auto it = byEndpoint_.find(at);
    if (it != byEndpoint_.end()) {
        if (it->second->active) handle(*it->second, data);
        return;
    }
    // A server answering the LAN search from a port it was asked on: it becomes a query of its
    // own, which one challenge exchange at most finishes, without retries.
    if (!lanTimer_.isActive() || port < lanFirstPort_ || port > lanLastPort_ ||
        lanSeen_.contains(at) || isSplitPiece(data))
        return;
    const Answer answer = parseAnswer(data);
    if (!std::holds_alternative<Challenge>(answer) && !std::holds_alternative<ServerInfo>(answer))
        return;
    lanSeen_.insert(at);
    auto q = std::make_unique<Query>();
    q->serial = nextSerial_++;
    q->server = q->answer.server = {from.toString().toStdString(), port};
    q->port = port;
    q->address = from;
    q->lan = true;
    q->active = true;
    ++active_;
    q->sentAt = lanClock_;
    Query& lan = *q;
    const ServerAddress server = q->server;
    if (auto old = queries_.find(server); old != queries_.end()) drop(*old->second);
    queries_[server] = std::move(q);
    byEndpoint_[at] = &lan;
    handle(lan, data);
}

void ServerQuerier::handle(Query& q, std::span<const std::uint8_t> data) {
    Bytes whole;
    if (isSplitPiece(data)) {
        switch (q.splits.add(data, whole)) {
            case SplitAssembler::Result::Incomplete:
                return;
            case SplitAssembler::Result::Invalid:
                return fail(q, ServerAnswer::Status::Invalid);
            case SplitAssembler::Result::Complete:
                data = whole;
                break;
        }
    }
    Answer answer = parseAnswer(data);
    if (auto* challenge = std::get_if<Challenge>(&answer)) {
        if (++q.challenges > kMaxChallenges) return fail(q, ServerAnswer::Status::Invalid);
        q.challenge = *challenge;
        return send(q);
    }
    if (auto* info = std::get_if<ServerInfo>(&answer)) {
        // A server may send both forms of its information: the first one counts.
        if (q.stage != Request::Info) return;
        q.answer.info = std::move(*info);
        q.answer.pingMs = static_cast<int>(q.sentAt.elapsed());
        return advance(q);
    }
    if (auto* players = std::get_if<PlayerList>(&answer)) {
        if (q.stage != Request::Players) return;
        q.answer.players = std::move(*players);
        return advance(q);
    }
    if (auto* rules = std::get_if<RuleList>(&answer)) {
        if (q.stage != Request::Rules) return;
        q.answer.rules = std::move(*rules);
        return advance(q);
    }
    fail(q, ServerAnswer::Status::Invalid);
}

void ServerQuerier::advance(Query& q) {
    q.splits.clear();
    q.challenges = 0;
    // A server that answered its information is up: silence now means it keeps the rest to
    // itself (an HLTV relay does), so one time-out is enough.
    q.attemptsLeft = 0;
    const Request next = q.stage == Request::Info && (q.parts & Players)  ? Request::Players
                         : q.stage != Request::Rules && (q.parts & Rules) ? Request::Rules
                                                                          : Request::Info;
    if (next != Request::Info) {
        if (q.stage == Request::Info && !q.lan) {
            ServerAnswer soFar = q.answer;
            soFar.status = ServerAnswer::Status::Answered;
            emit informed(soFar);
        }
        q.stage = next;
        return send(q);
    }
    finish(q, ServerAnswer::Status::Answered);
}

void ServerQuerier::fail(Query& q, ServerAnswer::Status status) {
    if (q.stage == Request::Info) return finish(q, status);
    // The information came: it stays, and the players list tells what went wrong.
    q.answer.playersStatus = status;
    finish(q, ServerAnswer::Status::Answered);
}

void ServerQuerier::finish(Query& q, ServerAnswer::Status status) {
    ServerAnswer answer = std::move(q.answer);
    answer.status = status;
    const bool lan = q.lan;
    drop(q);
    startWaiting();
    if (!lan)
        emit answered(answer);
    else if (status == ServerAnswer::Status::Answered)
        emit lanServerFound(answer);
}

void ServerQuerier::drop(Query& q) {
    if (q.timerId) {
        killTimer(q.timerId);
        byTimer_.erase(q.timerId);
    }
    if (q.active) --active_;
    if (!q.address.isNull()) {
        const auto it = byEndpoint_.find(endpoint(q.address, q.port));
        if (it != byEndpoint_.end() && it->second == &q) byEndpoint_.erase(it);
    }
    queries_.erase(q.server);  // q is gone from here on
}

void ServerQuerier::startWaiting() {
    while (active_ < maxActive_ && !waiting_.empty()) {
        const auto [server, serial] = waiting_.front();
        waiting_.pop_front();
        const auto it = queries_.find(server);
        if (it != queries_.end() && it->second->serial == serial && !it->second->active)
            start(*it->second);
    }
}

void ServerQuerier::searchLan(const QList<QHostAddress>& targets, quint16 firstPort,
                              quint16 lastPort, int ms) {
    const Bytes request = buildRequest(Request::Info);
    lanClock_.start();
    lanSeen_.clear();
    lanFirstPort_ = firstPort;
    lanLastPort_ = lastPort;
    allowBroadcast(socket_, true);
    for (const QHostAddress& target : targets)
        for (quint32 port = firstPort; port <= lastPort; ++port)
            write(request, target, static_cast<quint16>(port));
    allowBroadcast(socket_, false);
    lanTimer_.start(ms);
}

}  // namespace skyloom
