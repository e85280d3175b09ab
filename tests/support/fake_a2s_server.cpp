#include "fake_a2s_server.h"

#include <QUdpSocket>
#include <cstring>

namespace skyloom::test {

namespace {

using namespace std::string_literals;

const std::string kHead = "\xFF\xFF\xFF\xFF"s;
const std::string kChallenge = "\x0B\xAD\xF0\x0D"s;

std::string cstr(const std::string& s) {
    return s + '\0';
}
std::string u8(int v) {
    return std::string(1, static_cast<char>(v));
}
std::string u32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

}  // namespace

FakeA2sServer::FakeA2sServer(Mode m, const QHostAddress& address, quint16 port)
    : mode(m), socket_(new QUdpSocket(this)), other_(new QUdpSocket(this)) {
    socket_->bind(address, port);
    if (mode == Mode::OtherPort) other_->bind(address, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &FakeA2sServer::answer);
}

quint16 FakeA2sServer::port() const {
    return socket_->localPort();
}
QString FakeA2sServer::address() const {
    return socket_->localAddress().toString() + ':' + QString::number(port());
}

void FakeA2sServer::send(const std::string& packet, const QHostAddress& to, quint16 port) {
    if (mode != Mode::Split) {
        (mode == Mode::OtherPort ? other_ : socket_)
            ->writeDatagram(packet.data(), qint64(packet.size()), to, port);
        return;
    }
    const std::size_t third = packet.size() / 3 + 1;
    for (int i = 2; i >= 0; --i) {
        const std::string piece = "\xFE\xFF\xFF\xFF"s + u32(0x5EED) + u8((i << 4) | 3) +
                                  packet.substr(std::min(packet.size(), i * third), third);
        socket_->writeDatagram(piece.data(), qint64(piece.size()), to, port);
    }
}

void FakeA2sServer::answer() {
    while (socket_->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 fromPort = 0;
        QByteArray d(int(socket_->pendingDatagramSize()), '\0');
        socket_->readDatagram(d.data(), d.size(), &from, &fromPort);
        ++requests;
        if (mode == Mode::Silent || d.size() < 5) continue;
        if (mode == Mode::ChallengeThenSilent) {
            if (requests == 1) send(kHead + "A" + kChallenge, from, fromPort);
            continue;
        }
        if (mode == Mode::Garbage) {
            send(kHead + "I\x30trunc", from, fromPort);
            continue;
        }
        const std::string request = d.toStdString();
        const char kind = request[4];
        if (mode == Mode::Challenge && request.substr(request.size() - 4) != kChallenge) {
            send(kHead + "A" + kChallenge, from, fromPort);
            continue;
        }
        if (mode == Mode::PlayerChallenges && kind == 'U') {
            send(kHead + "A" + u32(std::uint32_t(requests)), from, fromPort);
            continue;
        }
        const std::string count = u8(players) + u8(maxPlayers);
        if (kind == 'T' && mode == Mode::OldForm) {
            send(kHead + "m" + cstr("127.0.0.1:27015") + cstr(name) + cstr(map) + cstr(folder) +
                     cstr("Half-Life") + count + u8(47) + "dl" + u8(password) + u8(0) + u8(vac) +
                     u8(bots),
                 from, fromPort);
        }
        if (kind == 'T') {
            const std::string shown = mode == Mode::OldForm ? "second answer" : name;
            send(kHead + "I" + u8(48) + cstr(shown) + cstr(map) + cstr(folder) + cstr("Half-Life") +
                     "\x46\x00"s + count + u8(bots) + "dl" + u8(password) + u8(vac) +
                     cstr("1.1.2.7"),
                 from, fromPort);
        } else if (kind == 'U') {
            std::string p = kHead + "D" + u8(int(playerList.size()));
            for (const Player& pl : playerList) {
                std::uint32_t bits;
                std::memcpy(&bits, &pl.seconds, 4);
                p += u8(0) + cstr(pl.name) + u32(std::uint32_t(pl.score)) + u32(bits);
            }
            send(p, from, fromPort);
        }
    }
}

FakeMaster::FakeMaster(std::vector<QString> list, std::size_t page)
    : servers(std::move(list)), perPage(page), socket_(new QUdpSocket(this)) {
    socket_->bind(QHostAddress::LocalHost, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &FakeMaster::answer);
}

QString FakeMaster::address() const {
    return "127.0.0.1:" + QString::number(socket_->localPort());
}

void FakeMaster::answer() {
    while (socket_->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 fromPort = 0;
        QByteArray d(int(socket_->pendingDatagramSize()), '\0');
        socket_->readDatagram(d.data(), d.size(), &from, &fromPort);
        requests.push_back(d.toStdString());
        if (pagesToAnswer >= 0 && int(requests.size()) > pagesToAnswer) continue;
        const QString seed = QString::fromLatin1(d.mid(2).constData());
        std::size_t at = 0;
        while (at < servers.size() && seed != "0.0.0.0:0" && servers[at++] != seed) {
        }
        std::string page = "\xFF\xFF\xFF\xFF\x66\x0A"s;
        for (std::size_t i = at; i < std::min(servers.size(), at + perPage); ++i) {
            const int colon = int(servers[i].lastIndexOf(':'));
            const quint32 ip = QHostAddress(servers[i].left(colon)).toIPv4Address();
            const int port = servers[i].mid(colon + 1).toInt();
            page += u8(int(ip >> 24)) + u8(int(ip >> 16) & 0xFF) + u8(int(ip >> 8) & 0xFF) +
                    u8(int(ip & 0xFF)) + u8(port >> 8) + u8(port & 0xFF);
        }
        if (at + perPage >= servers.size()) page += std::string(6, '\0');
        socket_->writeDatagram(page.data(), qint64(page.size()), from, fromPort);
    }
}

}  // namespace skyloom::test
