#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

class QUdpSocket;

namespace skyloom::test {

// A game server's query side on a loopback address: answers INFO and PLAYER requests in the
// chosen way and counts what it receives.
class FakeA2sServer final : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Plain,                // answers at once
        Challenge,            // hands out a challenge first, then answers requests that carry it
        OldForm,              // answers INFO in the old form, then once more in the current one
        Split,                // every answer in three pieces, last piece first
        Garbage,              // a truncated answer
        Silent,               // never answers
        PlayerChallenges,     // answers INFO, and each PLAYER request with a new challenge
        ChallengeThenSilent,  // a challenge for the first request, then nothing
        OtherPort,            // answers from a port it was not asked on
    };
    Q_ENUM(Mode)

    explicit FakeA2sServer(Mode mode, const QHostAddress& address = QHostAddress::LocalHost,
                           quint16 port = 0);

    quint16 port() const;
    QString address() const;  // "host:port"

    struct Player {
        std::string name;
        int score;
        float seconds;
    };
    Mode mode;
    std::string name = "Skyloom \xC3\xA9t\xC3\xA9 <b>";
    std::string map = "2fort";
    std::string folder = "tfc";
    int players = 2, maxPlayers = 16, bots = 0;
    bool password = false, vac = true;
    std::vector<Player> playerList{{"Ann", 12, 754.5f}, {"Bob\xFF", -3, 3725.f}};
    int requests = 0;  // datagrams received

private:
    void answer();
    void send(const std::string& packet, const QHostAddress& to, quint16 port);

    QUdpSocket* socket_;
    QUdpSocket* other_;
};

// A master server on a loopback address: lists `servers` a page at a time, each page going on
// from the seed the request carries, and records every request.
class FakeMaster final : public QObject {
    Q_OBJECT
public:
    explicit FakeMaster(std::vector<QString> servers, std::size_t perPage = 2);

    QString address() const;  // "host:port"

    std::vector<QString> servers;  // "a.b.c.d:port"
    std::size_t perPage;
    int pagesToAnswer = -1;  // then silence; -1: every page
    std::vector<std::string> requests;

private:
    void answer();

    QUdpSocket* socket_;
};

}  // namespace skyloom::test
