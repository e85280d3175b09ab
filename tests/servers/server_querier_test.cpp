// The querier against fake game servers on loopback: every way a server answers, where queries
// may go, and the LAN search.
#include "servers/server_querier.h"

#include <QElapsedTimer>
#include <QtTest>

#include "fake_a2s_server.h"
#include "servers/server_text.h"

using namespace skyloom;
using namespace skyloom::test;
using Mode = FakeA2sServer::Mode;

namespace {

const char* const kStatus[] = {"answered", "no answer", "invalid"};

// "status|name|players|player names|players' status".
QString describe(const ServerAnswer& a) {
    QStringList names;
    for (const PlayerEntry& p : a.players) names << QString::fromStdString(oneLineName(p.name));
    return QString(kStatus[int(a.status)]) + '|' + QString::fromStdString(a.info.name) + '|' +
           QString::fromStdString(
               a.status == ServerAnswer::Status::Answered ? playerCountText(a.info) : "") +
           '|' + names.join(' ') + '|' + kStatus[int(a.playersStatus)];
}

ServerAddress at(const QString& address) {
    return *parseServerAddress(address.toStdString());
}

}  // namespace

class ServerQuerierTest : public QObject {
    Q_OBJECT

    ServerNetwork network{{}, 0, 0, 0, {600, 2}, 0, {}, {}, [this](const QHostAddress& to) {
                              asked << to;
                              return to.isLoopback();
                          }};
    QList<QHostAddress> asked;

private slots:
    void init() { asked.clear(); }

    // All at once, told apart by the address they answer from; no retry after the answer.
    void query_everyWayAServerAnswers() {
        const QString name = "Skyloom \u00e9t\u00e9 <b>";
        const struct {
            Mode mode;
            const char* host;
            QString answer;
            int requests;
        } rows[] = {
            {Mode::Challenge, "127.0.0.1", name + "|2/16 (3 bots)|Ann Bob\uFFFD|answered", 3},
            {Mode::OldForm, "127.0.0.1", name + "|2/16|Ann Bob\uFFFD|answered", 2},
            {Mode::Split, "::1", name + "|2/16|Ann Bob\uFFFD|answered", 2},
            {Mode::PlayerChallenges, "127.0.0.1", name + "|2/16||invalid", 3},  // info kept
            {Mode::InfoOnly, "127.0.0.1", name + "|2/16||no answer", 2},  // one players' time-out
            {Mode::Garbage, "127.0.0.1", "|||answered", 1},
            {Mode::Silent, "127.0.0.1", "|||answered", 3},  // two retries
        };
        std::vector<std::unique_ptr<FakeA2sServer>> servers;
        ServerQuerier querier(network);
        std::map<QString, QString> answers;
        std::map<QString, qint64> informedAt;
        QElapsedTimer clock;
        connect(&querier, &ServerQuerier::informed,
                [&](const ServerAnswer& a) { informedAt[a.address()] = clock.elapsed(); });
        connect(&querier, &ServerQuerier::answered,
                [&](const ServerAnswer& a) { answers[a.address()] = describe(a); });
        clock.start();
        for (const auto& row : rows) {
            servers.push_back(std::make_unique<FakeA2sServer>(row.mode, QHostAddress(row.host)));
            servers.back()->bots = row.mode == Mode::Challenge ? 3 : 0;
            querier.query(at(servers.back()->address()),
                          ServerQuerier::Info | ServerQuerier::Players);
        }
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), std::size(rows), 10000);
        QTest::qWait(2 * network.timing.timeoutMs);  // nothing asked late
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const QString address = servers[i]->address();
            const QString status = i == 5 ? "invalid" : i == 6 ? "no answer" : "answered";
            QCOMPARE(answers[address], status + '|' + rows[i].answer);
            QCOMPARE(servers[i]->requests, rows[i].requests);
        }
        // The information shows before the players' time-out.
        QVERIFY(informedAt[servers[4]->address()] < network.timing.timeoutMs / 2);
    }

    // Never to a multicast or broadcast address: told as silence, nothing sent.
    void query_neverToManyAtOnce() {
        ServerQuerier querier(network);
        QStringList answers;
        connect(&querier, &ServerQuerier::answered,
                [&](const ServerAnswer& a) { answers << a.address() + ' ' + describe(a); });
        for (const char* many : {"224.0.0.1:27015", "255.255.255.255:27015", "[ff02::1]:27015"})
            querier.query(at(many));
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 3, 10000);
        answers.sort();
        QCOMPARE(answers, QStringList({"224.0.0.1:27015 no answer||||answered",
                                       "255.255.255.255:27015 no answer||||answered",
                                       "[ff02::1]:27015 no answer||||answered"}));
        QVERIFY(asked.isEmpty());
    }

    // The LAN search lists only senders it asked, from the port it asked, and answers a
    // challenge once.
    void searchLan_listsWhoAnswersWhereAsked() {
        FakeA2sServer lan(Mode::Challenge);
        FakeA2sServer teaser(Mode::ChallengeThenSilent, QHostAddress("127.0.0.2"), lan.port()),
            stranger(Mode::OtherPort, QHostAddress("127.0.0.3"), lan.port());
        ServerQuerier querier(network);
        QStringList found;
        bool finished = false;
        connect(&querier, &ServerQuerier::lanServerFound,
                [&](const ServerAnswer& a) { found << a.address() + ' ' + describe(a); });
        connect(&querier, &ServerQuerier::lanSearchFinished, [&] { finished = true; });
        querier.searchLan(
            {QHostAddress("127.0.0.1"), QHostAddress("127.0.0.2"), QHostAddress("127.0.0.3")},
            lan.port(), lan.port(), 1500);
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        QCOMPARE(found,
                 QStringList(lan.address() + " answered|Skyloom \u00e9t\u00e9 <b>|2/16||answered"));
        QCOMPARE(QList<int>({lan.requests, teaser.requests, stranger.requests}),
                 QList<int>({2, 2, 1}));
    }
};

QTEST_MAIN(ServerQuerierTest)
#include "server_querier_test.moc"
