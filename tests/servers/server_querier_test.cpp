// The querier against fake game servers on loopback: every way a server answers, where queries
// may go, and the LAN search.
#include "servers/server_querier.h"

#include <QtTest>

#include "fake_a2s_server.h"
#include "servers/server_text.h"

using namespace skyloom;
using namespace skyloom::test;
using Mode = FakeA2sServer::Mode;

namespace {

const QString kName = "Skyloom \u00e9t\u00e9 <b>";

// "status|name|players|player names|players' status".
QString describe(const ServerAnswer& a) {
    const char* const status[] = {"answered", "no answer", "invalid"};
    const bool ok = a.status == ServerAnswer::Status::Answered;
    QStringList names;
    for (const PlayerEntry& p : a.players) names << QString::fromStdString(oneLineName(p.name));
    return QStringList{status[int(a.status)], QString::fromStdString(a.info.name),
                       ok ? QString::fromStdString(playerCountText(a.info)) : "", names.join(' '),
                       status[int(a.playersStatus)]}
        .join('|');
}

ServerAddress at(const QString& address) {
    return *parseServerAddress(address.toStdString());
}

}  // namespace

class ServerQuerierTest : public QObject {
    Q_OBJECT

    QList<QHostAddress> asked;  // every address a query was about to go to
    ServerNetwork network{{}, 0, 0, 0, {600, 2}, 0, {}, {}, [this](const QHostAddress& to) {
                              asked << to;
                              return to.isLoopback();
                          }};

private slots:
    // All at once, told apart by the address they answer from; no retry after the answer. Never
    // to a multicast or broadcast address: told as silence, nothing sent. A LAN search meanwhile.
    void query_everyWayAServerAnswers() {
        const QString players = "|Ann Bob\uFFFD|answered";
        // Nor to "any address", which is this host, nor to an IPv4 one dressed as IPv6.
        const char* const many[] = {"224.0.0.1:27015",
                                    "255.255.255.255:27015",
                                    "[ff02::1]:27015",
                                    "0.0.0.0:27015",
                                    "[::]:27015",
                                    "[::ffff:0.0.0.0]:27015",
                                    "[::ffff:255.255.255.255]:27015",
                                    "[::224.0.0.1]:27015"};
        const std::tuple<Mode, const char*, QString, int> rows[] = {
            {Mode::Challenge, "127.0.0.1", "answered|" + kName + "|0/16 \u00B7 3 bots" + players,
             3},
            {Mode::OldForm, "127.0.0.1", "answered|" + kName + "|2/16" + players, 2},
            {Mode::Split, "::1", "answered|" + kName + "|2/16" + players, 2},
            {Mode::PlayerChallenges, "127.0.0.1", "answered|" + kName + "|2/16||invalid", 3},
            {Mode::InfoOnly, "127.0.0.1", "answered|" + kName + "|2/16||no answer", 2},
            {Mode::Garbage, "127.0.0.1", "invalid||||answered", 1},
            {Mode::Silent, "127.0.0.1", "no answer||||answered", 3},  // two retries
        };
        std::vector<std::unique_ptr<FakeA2sServer>> servers;
        ServerQuerier querier(network);
        std::map<QString, QString> answers;
        connect(&querier, &ServerQuerier::answered,
                [&](const ServerAnswer& a) { answers[a.address()] = describe(a); });
        for (const auto& [mode, host, answer, requests] : rows) {
            servers.push_back(std::make_unique<FakeA2sServer>(mode, QHostAddress(host)));
            servers.back()->bots = mode == Mode::Challenge ? 3 : 0;
            querier.query(at(servers.back()->address()),
                          ServerQuerier::Info | ServerQuerier::Players);
        }
        for (const char* all : many) querier.query(at(all));
        FakeA2sServer v4(Mode::Plain);  // asked as IPv4-mapped: sent as IPv4
        const QString mapped = "[::ffff:127.0.0.1]:" + QString::number(v4.port());
        querier.query(at(mapped));
        // The LAN search lists only senders it asked, from the port it asked, and answers a
        // challenge once.
        FakeA2sServer lan(Mode::Challenge);
        FakeA2sServer teaser(Mode::ChallengeThenSilent, QHostAddress("127.0.0.2"), lan.port()),
            stranger(Mode::OtherPort, QHostAddress("127.0.0.3"), lan.port());
        QStringList found;
        bool finished = false;
        connect(&querier, &ServerQuerier::lanServerFound,
                [&](const ServerAnswer& a) { found << a.address() + ' ' + describe(a); });
        connect(&querier, &ServerQuerier::lanSearchFinished, [&] { finished = true; });
        querier.searchLan(
            {QHostAddress("127.0.0.1"), QHostAddress("127.0.0.2"), QHostAddress("127.0.0.3")},
            lan.port(), lan.port(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(
            answers.size() == std::size(rows) + std::size(many) + 1 && finished, 20000);
        QTest::qWait(2 * network.timing.timeoutMs);  // nothing asked late
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            QCOMPARE(answers[servers[i]->address()], std::get<2>(rows[i]));
            QCOMPARE(servers[i]->requests, std::get<3>(rows[i]));
        }
        for (const char* all : many) QCOMPARE(answers[all], "no answer||||answered");
        QCOMPARE(answers[mapped], "answered|" + kName + "|2/16||answered");
        QCOMPARE(found, QStringList(lan.address() + " answered|" + kName + "|2/16||answered"));
        QCOMPARE(QList<int>({lan.requests, teaser.requests, stranger.requests}),
                 QList<int>({2, 2, 1}));
        for (const QHostAddress& to : asked) QVERIFY2(to.isLoopback(), qPrintable(to.toString()));
    }
};

QTEST_MAIN(ServerQuerierTest)
#include "server_querier_test.moc"
