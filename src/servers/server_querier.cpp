#include "servers/server_querier.h"

#include <QHostInfo>
#include <QTimerEvent>
#include <QUdpSocket>
#include <QVariant>
#include <algorithm>

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

quint64 endpointKey(const QHostAddress& address, quint16 port) {
    return (quint64{address.toIPv4Address()} << 16) | port;
}

}  // namespace

struct ServerQuerier::Query {
    QString key;  // "host:port" as asked
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

ServerQuerier::ServerQuerier(QueryTiming timing, QObject* parent)
    : QObject(parent), timing_(timing), socket_(new QUdpSocket(this)) {
    socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    // The default buffer drops answers when many servers answer at once; where the system
    // grants less than asked, fewer queries fly at a time.
    socket_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                             kMaxActive * kBufferPerQuery * 2);
    const int granted =
        socket_->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    maxActive_ = std::clamp(granted / kBufferPerQuery, kMinActive, kMaxActive);
    connect(socket_, &QUdpSocket::readyRead, this, &ServerQuerier::readDatagrams);
    lanTimer_.setSingleShot(true);
    connect(&lanTimer_, &QTimer::timeout, this, &ServerQuerier::lanSearchFinished);
}

ServerQuerier::~ServerQuerier() = default;

void ServerQuerier::query(const ServerAddress& server, int parts) {
    auto q = std::make_unique<Query>();
    q->serial = nextSerial_++;
    q->answer.server = server;
    q->port = server.port;
    const QString host = QString::fromStdString(server.host);
    q->parts = parts | Info;
    const QString key = q->key = q->answer.address();
    if (auto old = queries_.find(key); old != queries_.end()) drop(*old->second);
    const quint64 serial = q->serial;
    queries_[key] = std::move(q);

    QHostAddress literal;
    if (literal.setAddress(host)) {
        resolved(key, serial, literal);
        return;
    }
    QHostInfo::lookupHost(host, this, [this, key, serial](const QHostInfo& info) {
        QHostAddress v4;
        for (const QHostAddress& a : info.addresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                v4 = a;
                break;
            }
        resolved(key, serial, v4);
    });
}

void ServerQuerier::resolved(const QString& key, quint64 serial, const QHostAddress& address) {
    const auto it = queries_.find(key);
    if (it == queries_.end() || it->second->serial != serial) return;
    Query& q = *it->second;
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        // Nothing to send to: tell it as the silence it is, but not before the caller returns.
        QTimer::singleShot(0, this, [this, key, serial] {
            const auto again = queries_.find(key);
            if (again != queries_.end() && again->second->serial == serial)
                finish(*again->second, ServerAnswer::Status::NoAnswer);
        });
        return;
    }
    q.address = address;
    const quint64 endpoint = endpointKey(address, q.port);
    if (auto other = byEndpoint_.find(endpoint); other != byEndpoint_.end()) drop(*other->second);
    byEndpoint_[endpoint] = &q;
    if (active_ < maxActive_)
        start(q);
    else
        waiting_.emplace_back(key, serial);
}

void ServerQuerier::start(Query& q) {
    q.active = true;
    ++active_;
    q.stage = Request::Info;
    q.attemptsLeft = timing_.retries;
    send(q);
}

void ServerQuerier::send(Query& q) {
    const Bytes request = buildRequest(q.stage, q.challenge);
    socket_->writeDatagram(reinterpret_cast<const char*>(request.data()),
                           static_cast<qint64>(request.size()), q.address, q.port);
    q.sentAt.start();
    if (q.timerId) {
        killTimer(q.timerId);
        byTimer_.erase(q.timerId);
    }
    q.timerId = startTimer(timing_.timeoutMs);
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

void ServerQuerier::readDatagrams() {
    std::array<std::uint8_t, kMaxDatagram + 1> buffer;
    while (socket_->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 port = 0;
        const qint64 size = socket_->readDatagram(reinterpret_cast<char*>(buffer.data()),
                                                  qint64{buffer.size()}, &from, &port);
        if (size < 0) continue;
        receive(QHostAddress(from.toIPv4Address()), port,
                std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(size)));
    }
}

void ServerQuerier::receive(const QHostAddress& from, quint16 port,
                            std::span<const std::uint8_t> data) {
    const auto it = byEndpoint_.find(endpointKey(from, port));
    if (it != byEndpoint_.end()) {
        if (it->second->active) handle(*it->second, data);
        return;
    }
    // A server answering the LAN search from a port it was asked on: it becomes a query of its
    // own, which one challenge exchange at most finishes, without retries.
    if (!lanTimer_.isActive() || port < lanFirstPort_ || port > lanLastPort_ ||
        lanSeen_.contains(endpointKey(from, port)) || isSplitPiece(data))
        return;
    const Answer answer = parseAnswer(data);
    if (!std::holds_alternative<Challenge>(answer) && !std::holds_alternative<ServerInfo>(answer))
        return;
    lanSeen_.insert(endpointKey(from, port));
    auto q = std::make_unique<Query>();
    q->serial = nextSerial_++;
    q->answer.server = {from.toString().toStdString(), port};
    q->port = port;
    q->address = from;
    q->lan = true;
    q->active = true;
    ++active_;
    q->sentAt = lanClock_;
    Query& lan = *q;
    const QString key = q->key = q->answer.address();
    if (auto old = queries_.find(key); old != queries_.end()) drop(*old->second);
    queries_[key] = std::move(q);
    byEndpoint_[endpointKey(from, port)] = &lan;
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
    q.attemptsLeft = timing_.retries;
    if (q.stage == Request::Info && (q.parts & Players)) {
        q.stage = Request::Players;
        return send(q);
    }
    if (q.stage != Request::Rules && (q.parts & Rules)) {
        q.stage = Request::Rules;
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
        const auto it = byEndpoint_.find(endpointKey(q.address, q.port));
        if (it != byEndpoint_.end() && it->second == &q) byEndpoint_.erase(it);
    }
    queries_.erase(q.key);  // q is gone from here on
}

void ServerQuerier::startWaiting() {
    while (active_ < maxActive_ && !waiting_.empty()) {
        const auto [key, serial] = waiting_.front();
        waiting_.pop_front();
        const auto it = queries_.find(key);
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
    for (const QHostAddress& target : targets)
        for (quint32 port = firstPort; port <= lastPort; ++port)
            socket_->writeDatagram(reinterpret_cast<const char*>(request.data()),
                                   static_cast<qint64>(request.size()), target,
                                   static_cast<quint16>(port));
    lanTimer_.start(ms);
}

}  // namespace skyloom
