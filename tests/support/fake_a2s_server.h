#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <string>
#include <vector>

namespace skyloom::test {

// A game server's query side on loopback: answers INFO and PLAYER requests the chosen way.
class FakeA2sServer final : public QObject {
    Q_OBJECT
public:
    // Challenge: a challenge, then answers to requests carrying it. OldForm: INFO in the old form,
    // then the current one. Split: in three pieces, last first. Garbage: truncated.
    // PlayerChallenges: a new challenge per PLAYER. ChallengeThenSilent: one challenge, then
    // nothing. OtherPort: answers from another port. InfoOnly: never answers PLAYER (as HLTV does).
    enum class Mode {
        Plain,
        Challenge,
        OldForm,
        Split,
        Garbage,
        PlayerChallenges,
        Silent,
        ChallengeThenSilent,
        OtherPort,
        InfoOnly
    };
    explicit FakeA2sServer(Mode mode, const QHostAddress& address = QHostAddress::LocalHost,
                           quint16 port = 0);
    quint16 port() const { return socket_->localPort(); }
    QString address() const {  // "host:port", an IPv6 host in brackets
        const QString host = socket_->localAddress().toString();
        return (host.contains(':') ? '[' + host + ']' : host) + ':' + QString::number(port());
    }
    Mode mode;
    std::string name = "Skyloom \xC3\xA9t\xC3\xA9 <b>", map = "2fort", folder = "tfc";
    int players = 2, maxPlayers = 16, bots = 0;
    bool password = false, vac = true;
    int requests = 0;
    std::vector<int> delaysMs;  // before the n-th answer (the last for those after); none: at once
private:
    void answer(const std::string& request, const QHostAddress& to, quint16 port);
    QUdpSocket *socket_, *other_;
};

// A master server on loopback: lists `servers` a page at a time from each request's seed.
class FakeMaster final : public QObject {
public:
    explicit FakeMaster(std::vector<QString> servers, std::size_t perPage = 2);
    QString address() const { return "127.0.0.1:" + QString::number(socket_->localPort()); }
    std::vector<QString> servers;  // "a.b.c.d:port"
    std::size_t perPage;
    int pagesToAnswer = -1;  // then silence; -1: every page
    std::vector<std::string> requests;
    void answerFrom(const QHostAddress& address, quint16 port);  // not where it was asked
private:
    QUdpSocket *socket_, *replier_;
};
}  // namespace skyloom::test
