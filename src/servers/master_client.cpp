#include "servers/master_client.h"

#include <QUdpSocket>
#include <array>

namespace skyloom {

MasterClient::MasterClient(QueryTiming timing, int pageGapMs, QObject* parent)
    : QObject(parent), timing_(timing), pageGapMs_(pageGapMs), socket_(new QUdpSocket(this)) {
    socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    connect(socket_, &QUdpSocket::readyRead, this, &MasterClient::readDatagrams);
    timeout_.setSingleShot(true);
    gap_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, &MasterClient::timedOut);
    connect(&gap_, &QTimer::timeout, this, &MasterClient::send);
}

MasterClient::~MasterClient() = default;

void MasterClient::fetch(const QString& master, const std::string& filter) {
    timeout_.stop();
    gap_.stop();
    list_ = MasterList();
    filter_ = filter;
    source_ = master;
    running_ = true;
    const quint64 serial = ++serial_;
    const auto parsed = parseServerAddress(master.toStdString());
    if (!parsed) {
        // Told after the caller returns, as every other ending is.
        QTimer::singleShot(0, this, [this, serial] {
            if (serial == serial_) end(ListOutcome::Kind::BadSource);
        });
        return;
    }
    port_ = parsed->port;
    resolveHost(QString::fromStdString(parsed->host), this,
                [this, serial](const QHostAddress& address) { resolved(serial, address); });
}

void MasterClient::cancel() {
    ++serial_;
    running_ = false;
    timeout_.stop();
    gap_.stop();
}

void MasterClient::resolved(quint64 serial, const QHostAddress& address) {
    if (serial != serial_ || !running_) return;
    if (address.protocol() != QAbstractSocket::IPv4Protocol)
        return end(ListOutcome::Kind::NoAnswer);
    address_ = address;
    attemptsLeft_ = timing_.retries;
    send();
}

void MasterClient::send() {
    const std::vector<std::uint8_t> request = buildMasterRequest(list_.nextSeed(), filter_);
    socket_->writeDatagram(reinterpret_cast<const char*>(request.data()),
                           static_cast<qint64>(request.size()), address_, port_);
    timeout_.start(timing_.timeoutMs);
}

void MasterClient::readDatagrams() {
    std::array<std::uint8_t, 4096> buffer;
    while (socket_->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 port = 0;
        const qint64 size = socket_->readDatagram(reinterpret_cast<char*>(buffer.data()),
                                                  qint64{buffer.size()}, &from, &port);
        // Only the master's answers to the page being asked for count.
        if (size < 0 || !running_ || !timeout_.isActive() || port != port_ ||
            QHostAddress(from.toIPv4Address()) != address_)
            continue;
        const MasterPage page = parseMasterAnswer(
            std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(size)));
        if (!page.valid) continue;
        timeout_.stop();
        std::vector<MasterEntry> fresh = list_.add(page);
        std::erase_if(fresh, [this](const MasterEntry& e) {
            return !mayQueryListed(e, address_.toIPv4Address());
        });
        if (!fresh.empty()) emit listed(fresh);
        if (!running_) return;  // a listener may have asked again
        if (list_.complete()) return end(ListOutcome::Kind::Complete);
        attemptsLeft_ = timing_.retries;
        gap_.start(pageGapMs_);
    }
}

void MasterClient::timedOut() {
    if (attemptsLeft_-- > 0) {
        gap_.start(pageGapMs_);
        return;
    }
    end(list_.pages() == 0 ? ListOutcome::Kind::NoAnswer : ListOutcome::Kind::Stopped);
}

void MasterClient::end(ListOutcome::Kind kind) {
    running_ = false;
    timeout_.stop();
    gap_.stop();
    emit finished({kind, list_.size(), source_});
}

}  // namespace skyloom
