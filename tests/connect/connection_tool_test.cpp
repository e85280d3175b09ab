#include "connect/connection_tool.h"

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>
#include <thread>

#include "connect/favourites.h"
#include "fake_a2s_server.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;
using namespace std::string_literals;
using Mode = FakeA2sServer::Mode;
const std::string kProgram = "/hl.exe";

namespace {

// What a hostile list adds: special addresses and a port 0, none of them to be asked.
const std::vector<QString> kHostile{
    "10.0.0.1:27015", "224.0.0.1:27015", "255.255.255.255:27015", "0.0.0.0:27015",
    "169.254.1.1:22", "127.0.0.1:0",     "100.64.0.1:27015",      "192.168.1.255:27015"};

// Three servers that answer and one that does not, from a master and a Web API on loopback.
struct FakeInternet : QTcpServer {
    FakeA2sServer a{Mode::Plain}, b{Mode::Plain}, c{Mode::Plain}, silent{Mode::Silent};
    FakeMaster master{[this] {
        std::vector<QString> listed{a.address(), b.address(), c.address(), silent.address()};
        listed.insert(listed.end(), kHostile.begin(), kHostile.end());
        return listed;
    }()};
    QStringList webRequests;
    qint64 endlessSent = 0;  // what the answer without end got out before the client hung up
    FakeInternet() {
        a.name = "Alpha", a.players = 2, a.bots = 2;
        b.name = "bravo", b.map = "well", b.players = 16, b.vac = false;
        c.name = "Charlie", c.map = "2FORT_night", c.players = 5, c.password = true;
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, [this, s] {
                const QByteArray r = s->readAll();
                webRequests << QString::fromLatin1(r.left(r.indexOf('\r')));
                if (r.contains("/endless/")) {
                    s->write("HTTP/1.1 200 OK\r\n\r\n{\"response\":{\"servers\":[");
                    const auto more = [this, s] {
                        if (s->bytesToWrite() < (1 << 20))
                            endlessSent += s->write(QByteArray(1 << 20, ' '));
                    };
                    connect(s, &QTcpSocket::bytesWritten, more);
                    return more();
                }
                QStringList entries;
                for (const QString& at : master.servers) entries << "{\"addr\":\"" + at + "\"}";
                const QByteArray body =
                    "{\"response\":{\"servers\":[" + entries.join(',').toUtf8() + "]}}";
                s->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                         QByteArray::number(body.size()) + "\r\n\r\n" + body);
                s->disconnectFromHost();
            });
        });
    }
    std::string ini(bool endless = false) const {
        return "[SERVERS]\r\nmaster=" + master.address().toStdString() +
               "\r\nwebapi=" + web(endless).toStdString() + "\r\n";
    }
    QString web(bool endless) const {
        return "http://127.0.0.1:" + QString::number(serverPort()) + (endless ? "/endless" : "");
    }
};

// The window's controls, found by their names as a screen reader finds them.
struct Controls {
    QObject* w;
    template <class T = QAbstractButton>
    T* in(const char* name) const {
        return w->findChild<T*>(QLatin1String(name));
    }
    void press(const char* name) const { in(name)->click(); }
    QString text(const char* label) const { return in<QLabel>(label)->text(); }
    QLineEdit *ipadress = in<QLineEdit>("ipadress"), *port = in<QLineEdit>("port");
    QTreeView* lstServers = in<QTreeView>("lstServers");
    QTabWidget* tabSources = in<QTabWidget>("tabSources");

    QStringList facts() const {  // name, map, folder, players, password, VAC
        QStringList out;
        for (auto n : {"lblName", "lblMap", "lblFolder", "lblPlayerCount", "lblPassword", "lblVac"})
            out << text(n);
        return out;
    }
    // The server list as it shows: rows the filters let through, in their sorted order.
    int rows() const { return lstServers->model()->rowCount(); }
    QStringList column(int c) const {
        QStringList out;
        for (int i = 0; i < rows(); ++i) out << lstServers->model()->index(i, c).data().toString();
        return out;
    }
    void click(int row, bool twice = false) const {
        const QPoint at = lstServers->visualRect(lstServers->model()->index(row, 0)).center();
        QTest::mouseClick(lstServers->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(lstServers->viewport(), Qt::LeftButton, {}, at);
    }
    void type(const QString& host, const QString& portText) const {
        ipadress->setText(host), port->setText(portText);
    }
};

const QStringList kInfo{"Skyloom été <b>", "2fort", "tfc", "2/16", "No", "Yes"}, kNone(6, "");
const QStringList kPlayers{"Ann", "12", "12:34", "Bob\uFFFD", "-3", "1:02:05"};
const QStringList kWithBots{"Skyloom été <b>", "2fort", "tfc", "2/16 (3 bots)", "Yes", "Yes"};
// How the window shows each way a server answers; status: ADDR stands for its address.
const struct QueryCase {
    Mode mode;
    QString status;
    QStringList shown, players = kPlayers;  // three columns a row
} kQueries[] = {
    {Mode::Challenge, "", kWithBots},
    {Mode::PlayerChallenges, "", kInfo, {"Players: invalid answer", "", ""}},  // info kept
    {Mode::Garbage, "Invalid answer from ADDR", kNone, {}},
    {Mode::Silent, "No answer from ADDR", kNone, {}},
};

}  // namespace

class ConnectionToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    Controls open(const std::string& more = "", const std::string& program = kProgram) {
        app = std::make_unique<TestApp>();
        app->add<ConnectionTool>("connect");
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\n" +
                      (program.empty() ? "" : "program=" + program + "\r\n") + more);
        return Controls{app->windows.show("connect")};
    }
    bool iniHas(const QString& text) {
        return QString::fromStdString(app->readIni()).contains(text);
    }
    void waitOut(int times = 2) { QTest::qWait(times * app->network.timing.timeoutMs); }
    QString joined(const QString& server) {
        return QString::fromStdString(kProgram) + " -console +connect " + server;
    }
    // Filters act at once and are kept; numbers sort as numbers; joins go to Recent, newest first.
    void filtersSortJoinRecent(const Controls& ui, const FakeInternet& net) {
        auto* mapFilter = ui.in<QLineEdit>("txtMapFilter");
        const std::pair<std::function<void()>, QStringList> filters[] = {
            {[&] { ui.press("chkNotEmpty"); }, {"bravo", "Charlie"}},  // bots are no players
            {[&] { ui.press("chkNotFull"); }, {"Charlie"}},
            {[&] { ui.press("chkNotEmpty"); }, {"Alpha", "Charlie"}},
            {[&] { ui.press("chkNoPassword"); }, {"Alpha"}},
            {[&] { ui.press("chkNoPassword"), ui.press("chkNotFull"); },
             {"Alpha", "bravo", "Charlie"}},
            {[&] { QTest::keyClicks(mapFilter, "2fort"); }, {"Alpha", "Charlie"}},
            {[&] { ui.in<QSpinBox>("spnMaxPing")->setValue(9999); }, {"Alpha", "Charlie"}},
        };
        ui.lstServers->sortByColumn(0, Qt::AscendingOrder);
        for (const auto& [act, shown] : filters) {
            act();
            QCOMPARE(ui.column(0), shown);
        }
        QTRY_VERIFY(iniHas("mapfilter=2fort\r\nmaxping=9999\r\ngame=valve"));
        ui.press("chkNotFull");
        ui.lstServers->sortByColumn(2, Qt::DescendingOrder);
        // Rows arriving take their sorted places, filtered.
        ui.press("cmdRefresh");
        QTRY_COMPARE(ui.text("lblProgress"), "3 of 4 servers answered; 1 hidden by the filters");
        QCOMPARE(ui.column(0), QStringList({"Charlie", "Alpha"}));
        QTRY_COMPARE(net.master.requests.size(), size_t(12));
        ui.press("chkNotFull");
        mapFilter->clear();
        ui.lstServers->sortByColumn(2, Qt::AscendingOrder);  // 2, 5, 16 players
        QCOMPARE(ui.column(0), QStringList({"Alpha", "Charlie", "bravo"}));
        // Bots, the password's lock and VAC; each sorts by what it shows.
        const auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
            return ui.lstServers->model()->index(row, column).data(role);
        };
        QCOMPARE(ui.column(3) + ui.column(5), QStringList({"2", "0", "0", "VAC", "VAC", ""}));
        QCOMPARE(cell(1, 4, Qt::AccessibleTextRole).toString() +
                     cell(0, 4, Qt::AccessibleTextRole).toString(),
                 "password");
        QVERIFY(!cell(1, 4, Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(cell(0, 4, Qt::DecorationRole).isNull());
        // Per column, the one server that sorts last in ascending order (first: the only least).
        for (auto [column, last, least] :
             {std::tuple{3, "Alpha", false}, {4, "Charlie", false}, {5, "bravo", true}}) {
            ui.lstServers->sortByColumn(column, Qt::AscendingOrder);
            QCOMPARE(least ? ui.column(0).first() : ui.column(0).last(), last);
            ui.lstServers->sortByColumn(column, Qt::DescendingOrder);
            QCOMPARE(least ? ui.column(0).last() : ui.column(0).first(), last);
        }
        ui.lstServers->sortByColumn(2, Qt::AscendingOrder);

        app->desktop.secrets = {"pw"};  // Charlie asks for one
        for (int row : {1, 0}) ui.click(row, true);
        QCOMPARE(app->games.starts.size(), size_t(2));
        QCOMPARE(app->games.starts[0].commandLine,
                 kProgram + " -console +password pw +connect " + net.c.address().toStdString());
        QCOMPARE(app->games.starts[1].commandLine, joined(net.a.address()).toStdString());
        ui.click(2);
        ui.press("cmdAddFavourite");
        QVERIFY(iniHas("[RECENT]\r\nserver1=" + net.a.address() + "\r\nserver2=" + net.c.address() +
                       "\r\n"));
        QVERIFY(iniHas("server1=" + net.b.address()));

        // Each tab has its own filters, kept: the Internet tab's hide nothing elsewhere.
        ui.lstServers->sortByColumn(-1, Qt::AscendingOrder);
        ui.press("chkNotFull");
        ui.tabSources->setCurrentIndex(3);
        QTRY_COMPARE(ui.column(0), QStringList({"Alpha", "Charlie"}));
        ui.tabSources->setCurrentIndex(0);
        QTRY_COMPARE(ui.column(0), QStringList({"bravo"}));
        QVERIFY(!ui.in("chkNotFull")->isChecked());
        ui.press("chkNotFull");
        QCOMPARE(ui.rows(), 0);
        QCOMPARE(ui.text("lblProgress"), "1 of 1 servers answered; 1 hidden by the filters");
        QTRY_VERIFY(iniHas("notfull=1") && iniHas("favourites_notfull=1"));
        ui.tabSources->setCurrentIndex(2);
        QVERIFY(ui.in("chkNotFull")->isChecked());
    }

private slots:
    // Every click starts a game, a ticked Close box then ends the tool; injected words start
    // nothing.
    void launch() {
        for (auto [ticked, fails] : {std::pair{false, false}, {true, false}, {true, true}}) {
            Controls ui = open("", fails ? "" : kProgram);
            if (fails) app->games.result = {false, "error", "No such file."};
            QTest::keyClicks(ui.ipadress, " 10.0.0.7 ");  // blanks around go
            ui.port->setText("27020");
            if (ticked) ui.press("close");
            for (size_t click = 1; click <= 2 && !app->ended; ++click) {
                ui.press("cmdLaunch");
                QCOMPARE(app->games.starts.size(), click);
                const auto& start = app->games.starts.back();
                QCOMPARE(start.commandLine, (fails ? "error -console +connect 10.0.0.7:27020"
                                                   : joined("10.0.0.7:27020").toStdString()));
                QVERIFY(!start.workingFolder && start.state == WindowState::Maximized);
                QCOMPARE(app->desktop.messages.size(), fails ? click : 0);
                if (fails) QVERIFY(app->desktop.messages.back().text.contains("No such file."));
                TestApp::processDeletes();
                QCOMPARE(app->ended, ticked && !fails);  // the tool was the only window
            }
            if (app->ended) continue;
            ui.ipadress->setText("10.0.0.7 +exec evil");
            ui.press("cmdLaunch");
            QCOMPARE(app->games.starts.size(), size_t(2));
            QVERIFY(app->desktop.messages.back().text.startsWith("IP adress:"));
        }
    }

    // The Query button asks the server in the fields and shows what came back.
    void query() {
        for (auto [mode, status, shown, players] : kQueries) {
            FakeA2sServer server(mode);
            if (mode == Mode::Challenge) server.bots = 3, server.password = true;
            Controls ui = open();
            ui.type("127.0.0.1", QString::number(server.port()));
            ui.press("cmdQuery");
            QTRY_COMPARE(ui.text("lblStatus"), status.replace("ADDR", server.address()));
            auto* list = ui.in<QTreeWidget>("lstPlayers");
            QTRY_COMPARE(list->topLevelItemCount(), players.size() / 3);
            QStringList listed;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                for (int c = 0; c < 3; ++c) listed << list->topLevelItem(i)->text(c);
            QCOMPARE(ui.facts() + listed, shown + players);
        }
    }

    // Favourites from [SERVERS] are queried on open; changes are kept, every other line as it was.
    void favourites_surviveARestart() {
        FakeA2sServer up(Mode::Plain, QHostAddress::LocalHostIPv6), down(Mode::Silent);
        up.password = true;
        const std::string others = "[OTHER]\r\nkeep = this \r\n", upAt = up.address().toStdString();
        Controls ui = open("[SERVERS]\r\nserver1=" + upAt +
                           "\r\nserver2=" + down.address().toStdString() + "\r\n" + others);
        QTRY_COMPARE(ui.column(0) + ui.column(1) + ui.column(2) + ui.column(7),
                     QStringList({"Skyloom été <b>", "No answer from " + down.address(), "2fort",
                                  "", "2/16", "", up.address(), down.address()}));
        // Selecting a row asks for its players; the group never shows another server's.
        auto* players = ui.in<QTreeWidget>("lstPlayers");
        ui.click(0);
        QCOMPARE(ui.ipadress->text() + ' ' + ui.port->text(), "::1 " + QString::number(up.port()));
        QTRY_COMPARE(players->topLevelItemCount(), 2);
        QCOMPARE(ui.facts()[0], kInfo[0]);
        ui.click(1);
        QCOMPARE(ui.facts() << QString::number(players->topLevelItemCount()),
                 kNone + QStringList("0"));
        QTRY_COMPARE(ui.text("lblStatus"), "No answer from " + down.address());
        ui.click(0);

        // A double click joins the row, not the fields; its password is asked, passed and
        // masked wherever the command shows.
        ui.type("10.9.9.9", "1");
        app->desktop.secrets = {std::nullopt, "bad pass", "s3cret", "s3cret"};
        for (int i = 0; i < 3; ++i) ui.click(0, true);
        QCOMPARE(app->games.starts.size(), size_t(1));
        const std::string withPassword =
            kProgram + " -console +password s3cret +connect " + up.address().toStdString();
        QCOMPARE(app->games.starts[0].commandLine, withPassword);
        const QString started = ui.text("startStatus");
        QVERIFY2(started.contains("+password ******** +connect") && !started.contains("s3cret"),
                 qPrintable(started));
        QCOMPARE(app->desktop.secretDialogs.size(), size_t(3));
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QVERIFY(app->desktop.messages[0].text.startsWith("Password:"));
        app->games.result = {false, kProgram, "No such file.", withPassword};
        ui.click(0, true);
        const QString failure = app->desktop.messages.back().text;
        QVERIFY(failure.contains("+password ******** +connect") && !failure.contains("s3cret"));
        app->games.result = {};

        ui.type("127.0.0.2", "27016");
        ui.press("cmdAddFavourite");
        ui.press("cmdAddFavourite");  // once only
        ui.click(0);
        ui.press("cmdRemove");
        const std::string expected =
            "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/hl.exe\r\n[SERVERS]\r\nserver1=" +
            down.address().toStdString() + "\r\nserver2=127.0.0.2:27016\r\n" + others +
            "[RECENT]\r\nserver1=" + upAt + "\r\n";
        QCOMPARE(app->readIni(), expected);

        app->windows.unload("connect");  // a restart reads the file again
        TestApp::processDeletes();
        QCOMPARE(Controls{app->windows.show("connect")}.column(7),
                 QStringList({down.address(), "127.0.0.2:27016"}));
        QCOMPARE(app->readIni(), expected);
    }

    // By ping, a server that never answered comes last; any filter hides it.
    void silentFavourite_sortsLastAndAFilterHidesIt() {
        FakeA2sServer up(Mode::Plain), down(Mode::Silent);
        Controls ui = open("[SERVERS]\r\nserver1=" + down.address().toStdString() +
                           "\r\nserver2=" + up.address().toStdString() + "\r\n");
        QTRY_COMPARE(ui.column(1), QStringList({"", "2fort"}));
        ui.lstServers->sortByColumn(6, Qt::AscendingOrder);
        QCOMPARE(ui.column(7), QStringList({up.address(), down.address()}));
        ui.press("chkNoPassword");
        QCOMPARE(ui.column(7), QStringList(up.address()));
    }

    // The LAN search lists what answered; closing the window stops whatever is still asking, the
    // master too.
    void findLan_andCloseCancels() {
        FakeA2sServer lan(Mode::Challenge), silent(Mode::Silent);
        Controls ui = open();
        app->network.firstLanPort = app->network.lastLanPort = lan.port();
        app->network.lanTargets = [] { return QList<QHostAddress>{QHostAddress::LocalHost}; };
        ui.press("cmdFindLan");
        QTRY_COMPARE(ui.column(7) + ui.column(0), QStringList({lan.address(), "Skyloom été <b>"}));

        ui.type("127.0.0.1", QString::number(silent.port()));
        ui.press("cmdQuery");
        QTRY_COMPARE(silent.requests, 1);
        FakeMaster master({});
        master.pagesToAnswer = 0;
        app->writeIni(app->readIni() + "[SERVERS]\r\nmaster=" + master.address().toStdString() +
                      "\r\n");
        ui.tabSources->setCurrentIndex(2);
        QTRY_COMPARE(master.requests.size(), size_t(1));
        app->windows.unload("connect");
        TestApp::processDeletes();
        waitOut();
        QCOMPARE(silent.requests, 1);
        QCOMPARE(master.requests.size(), size_t(1));
    }

    // The Internet tab lists the game's servers from the master (or the Web API with a key) and
    // says how far it got.
    void internet() {
        // Pages the master answers (-1: all, -2: the Web API lists, -3: its answer never ends),
        // progress, master requests.
        const std::tuple<int, QString, int> cases[] = {
            {1, "2 of 2 servers answered; MASTER stopped answering, so the list is cut short", 4},
            {-2, "3 of 4 servers answered", 0},
            {-3, "WEB gave no server list.", 0},
            {0, "MASTER did not answer.", 3},
            {-1, "3 of 4 servers answered", 6}};
        for (auto [pages, progress, requests] : cases) {
            FakeInternet net;
            net.master.pagesToAnswer = std::max(pages, -1);
            const bool tfc = pages > -1;  // else the first game, Half-Life
            Controls ui = open(net.ini(pages == -3) + (tfc ? "game=tfc\r\n" : ""));
            QList<QHostAddress> asked;  // every server a query was about to go to
            app->network.mayReach = [&](const QHostAddress& to) {
                asked << to;
                return to.isLoopback();
            };
            if (pages <= -2) app->network.webApiKey = [](QObject*, auto done) { done("K3Y"); };
            ui.tabSources->setCurrentIndex(2);
            QTRY_COMPARE_WITH_TIMEOUT(
                ui.text("lblProgress"),
                progress.replace("MASTER", net.master.address()).replace("WEB", net.web(true)),
                20000);
            // Cut at 32 MiB as it comes (the rest of what went out waits in the system).
            QVERIFY2(net.endlessSent < 48 << 20, qPrintable(QString::number(net.endlessSent)));
            QCOMPARE(ui.in<QLabel>("lblProgress")->textFormat(), Qt::PlainText);  // names a master
            QTRY_COMPARE(int(net.master.requests.size()), requests);
            const std::string filter =
                tfc ? "\0\\gamedir\\tfc\0"s : "\0\\appid\\70\\gamedir\\valve\0"s;
            const std::string seeds[] = {"0.0.0.0:0",
                                         pages ? net.b.address().toStdString() : "0.0.0.0:0"};
            for (int i = 0; i < std::min(requests, 2); ++i)
                QCOMPARE(net.master.requests[i], "\x31\xFF"s + seeds[i] + filter);
            const QString webGet = QString(pages == -3 ? "GET /endless" : "GET ") +
                                   "/IGameServersService/GetServerList/v1/?key=K3Y&filter="
                                   "%5Cappid%5C70%5Cgamedir%5Cvalve&limit=20000 HTTP/1.1";
            QCOMPARE(net.webRequests, requests ? QStringList() : QStringList(webGet));
            QCOMPARE(ui.rows(), pages == 0 || pages == -3 ? 0 : pages == 1 ? 2 : 3);
            if (pages == -1) filtersSortJoinRecent(ui, net);
            for (const QHostAddress& to : asked)
                QVERIFY2(to.isLoopback(), qPrintable(to.toString()));
        }
    }

    // Two Skyloom joining at once: the list is changed under the settings lock, no join lost.
    void recent_twoInstancesLoseNoJoin() {
        TestApp one;
        const auto joins = [&](int first) {
            const Settings settings(one.settings.filePath());
            for (int i = first; i < first + 10; ++i)
                QVERIFY(settings
                            .update([i](std::string_view text) {
                                return recentChanges(text, {"10.0.0." + std::to_string(i), 27015});
                            })
                            .ok);
        };
        std::thread a(joins, 1), b(joins, 11);
        a.join(), b.join();
        QCOMPARE(readRecent(one.settings).size(), kMaxRecent);
        // A server joined again moves to the top, once.
        const ServerAddress again{"10.0.0.5", 27015};
        QVERIFY(
            one.settings.update([&](std::string_view text) { return recentChanges(text, again); })
                .ok);
        const std::vector<ServerAddress> recent = readRecent(one.settings);
        QVERIFY(recent.size() == kMaxRecent && recent.front() == again &&
                std::count(recent.begin(), recent.end(), again) == 1);
    }

    // The key goes to the secret store, trimmed, never into skyloom.ini; a refusal is told.
    void webApiKey_keptInTheSecretStore() {
        Controls ui = open();
        QStringList stored;
        app->network.storeWebApiKey = [&](QObject*, const QString& key, auto done) {
            stored << key, done(key != "refused");
        };
        app->desktop.secrets = {" K3Y ", std::nullopt, "refused"};
        for (int i = 0; i < 3; ++i) ui.in<QAction>("mnuFileitmWebApiKey")->trigger();
        QCOMPARE(stored, QStringList({"K3Y", "refused"}));
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QVERIFY(!iniHas("K3Y"));
    }
};

QTEST_MAIN(ConnectionToolTest)
#include "connection_tool_test.moc"
