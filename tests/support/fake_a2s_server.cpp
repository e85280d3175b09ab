#include "fake_a2s_server.h"

#include <QNetworkDatagram>
#include <QTimer>

namespace skyloom::test {

using namespace std::string_literals;

namespace {
const std::string kHead = "\xFF\xFF\xFF\xFF"s, kChallenge = "\x0B\xAD\xF0\x0D"s;
// Ann: 12 points in 754.5 s; Bob, whose name is not UTF-8: -3 points in 3725 s.
const std::string kPlayers = kHead + "D\x02\0Ann\0\x0C\0\0\0\x00\xA0\x3C\x44"s +
                             "\0Bob\xFF\0\xFD\xFF\xFF\xFF\x00\xD0\x68\x45"s;
}  // namespace

FakeA2sServer::FakeA2sServer(Mode m, const QHostAddress& address, quint16 port)
    : mode(m), socket_(new QUdpSocket(this)), other_(new QUdpSocket(this)) {
    socket_->bind(address, port);
    if (mode == Mode::OtherPort) other_->bind(address, 0);
    connect(socket_, &QUdpSocket::readyRead, this, [this] {
        while (socket_->hasPendingDatagrams()) {
            const QNetworkDatagram d = socket_->receiveDatagram();
            const auto now = [this, d] {
                answer(d.data().toStdString(), d.senderAddress(), quint16(d.senderPort()));
            };
            const size_t n = size_t(requests++);
            if (delaysMs.empty())
                now();
            else
                QTimer::singleShot(delaysMs[std::min(n, delaysMs.size() - 1)], Qt::PreciseTimer,
                                   this, now);
        }
    });
}
void FakeA2sServer::answer(const std::string& request, const QHostAddress& to, quint16 port) {
    std::vector<std::string> packets;
    const char kind = request.size() < 5 ? 0 : request[4];
    const bool challenged = request.size() > 8 && request.ends_with(kChallenge);
    if (mode == Mode::Silent || kind == 0 || (mode == Mode::ChallengeThenSilent && requests > 1) ||
        (mode == Mode::InfoOnly && kind == 'U'))
        return;
    const std::string count = {char(players), char(maxPlayers)};
    if (mode == Mode::Garbage) {
        packets = {kHead + "I\x30trunc"};
    } else if (mode == Mode::ChallengeThenSilent || (mode == Mode::Challenge && !challenged)) {
        packets = {kHead + "A" + kChallenge};
    } else if (kind == 'U') {
        const std::string fresh = kHead + "A\x01\x02\x03"s + char(requests);
        packets = {mode == Mode::PlayerChallenges ? fresh : kPlayers};
    } else if (kind == 'T') {
        if (mode == Mode::OldForm)
            packets.push_back(kHead + "m127.0.0.1:27015\0"s + name + '\0' + map + '\0' + folder +
                              "\0Half-Life\0"s + count + "/dl" + char(password) + '\0' + char(vac) +
                              char(bots));
        packets.push_back(kHead + "I\x30" + (mode == Mode::OldForm ? "second answer" : name) +
                          '\0' + map + '\0' + folder + "\0Half-Life\0\x46\0"s + count + char(bots) +
                          "dl" + char(password) + char(vac) + "1.1.2.7\0"s);
    }
    for (const std::string& packet : packets) {
        if (mode != Mode::Split) {
            (mode == Mode::OtherPort ? other_ : socket_)
                ->writeDatagram(packet.data(), qint64(packet.size()), to, port);
            continue;
        }
        const std::size_t third = packet.size() / 3 + 1;
        for (int i = 2; i >= 0; --i) {
            const std::string piece = "\xFE\xFF\xFF\xFF\xED\x5E\0\0"s + char((i << 4) | 3) +
                                      packet.substr(std::min(packet.size(), i * third), third);
            socket_->writeDatagram(piece.data(), qint64(piece.size()), to, port);
        }
    }
}
FakeMaster::FakeMaster(std::vector<QString> list, std::size_t page)
    : servers(std::move(list)), perPage(page), socket_(new QUdpSocket(this)), replier_(socket_) {
    socket_->bind(QHostAddress::LocalHost, 0);
    connect(socket_, &QUdpSocket::readyRead, this, [this] {
        while (socket_->hasPendingDatagrams()) {
            const QNetworkDatagram d = socket_->receiveDatagram();
            requests.push_back(d.data().toStdString());
            if (pagesToAnswer >= 0 && int(requests.size()) > pagesToAnswer) continue;
            const QString seed = QString::fromLatin1(d.data().mid(2).constData());
            std::size_t at = 0;
            while (at < servers.size() && seed != "0.0.0.0:0" && servers[at++] != seed) {
            }
            std::string page = "\xFF\xFF\xFF\xFF\x66\x0A"s;
            for (std::size_t i = at; i < std::min(servers.size(), at + perPage); ++i) {
                const quint32 ip = QHostAddress(servers[i].section(':', 0, 0)).toIPv4Address();
                const int port = servers[i].section(':', 1).toInt();
                page += {char(ip >> 24), char(ip >> 16),  char(ip >> 8),
                         char(ip),       char(port >> 8), char(port)};
            }
            if (at + perPage >= servers.size()) page += std::string(6, '\0');
            replier_->writeDatagram(page.data(), qint64(page.size()), d.senderAddress(),
                                    quint16(d.senderPort()));
        }
    });
}
void FakeMaster::answerFrom(const QHostAddress& address, quint16 port) {
    replier_ = new QUdpSocket(this);
    replier_->bind(address, port);
}
}  // namespace skyloom::test
