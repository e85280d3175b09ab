#include "connect/connection_tool.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeWidget>
#include <QtTest>

#include "app/list_servers_mode.h"
#include "fake_a2s_server.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;
using namespace std::string_literals;
using Mode = FakeA2sServer::Mode;

namespace {

// Steam's Web API on loopback: answers every GET with `body` and keeps the request lines.
struct FakeWebApi : QTcpServer {
    std::string body;
    QStringList requests;
    FakeWebApi() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, [this] {
            QTcpSocket* c = nextPendingConnection();
            connect(c, &QTcpSocket::readyRead, [this, c] {
                const QByteArray r = c->readAll();
                requests << QString::fromLatin1(r.left(r.indexOf('\r')));
                c->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                         QByteArray::number(qsizetype(body.size())) + "\r\n\r\n" + body.c_str());
                c->disconnectFromHost();
            });
        });
    }
};

// Three servers that answer and one that does not, as a master lists them.
struct FakeInternet {
    FakeA2sServer a{Mode::Plain}, b{Mode::Plain}, c{Mode::Plain}, silent{Mode::Silent};
    FakeMaster master{{a.address(), b.address(), c.address(), silent.address()}};
    FakeInternet() {
        a.name = "Alpha", a.players = 2, a.bots = 2;
        b.name = "bravo", b.map = "well", b.players = 16;
        c.name = "Charlie", c.map = "2FORT_night", c.players = 5, c.password = true;
    }
    std::string ini() const {
        return "[SERVERS]\r\nmaster=" + master.address().toStdString() + "\r\n";
    }
};

// The window's controls, found by their names as a screen reader finds them.
struct Controls {
    QObject* w;
    template <class T>
    T* in(const char* name) const {
        T* c = w->findChild<T*>(QLatin1String(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }
    QLineEdit *ipadress = in<QLineEdit>("ipadress"), *port = in<QLineEdit>("port"),
              *txtMapFilter = in<QLineEdit>("txtMapFilter");
    QPushButton *cmdLaunch = in<QPushButton>("cmdLaunch"), *cmdQuery = in<QPushButton>("cmdQuery"),
                *cmdAddFavourite = in<QPushButton>("cmdAddFavourite"),
                *cmdRemove = in<QPushButton>("cmdRemove"),
                *cmdFindLan = in<QPushButton>("cmdFindLan"),
                *cmdRefresh = in<QPushButton>("cmdRefresh");
    QCheckBox *close = in<QCheckBox>("close"), *chkNotEmpty = in<QCheckBox>("chkNotEmpty"),
              *chkNotFull = in<QCheckBox>("chkNotFull"),
              *chkNoPassword = in<QCheckBox>("chkNoPassword");
    QTreeView* lstServers = in<QTreeView>("lstServers");
    QTreeWidget* lstPlayers = in<QTreeWidget>("lstPlayers");
    QTabWidget* tabSources = in<QTabWidget>("tabSources");
    QComboBox* cboGame = in<QComboBox>("cboGame");
    QSpinBox* spnMaxPing = in<QSpinBox>("spnMaxPing");
    QLabel *lblStatus = in<QLabel>("lblStatus"), *lblPing = in<QLabel>("lblPing"),
           *lblProgress = in<QLabel>("lblProgress");

    QStringList facts() const {  // name, map, folder, players, password, VAC
        QStringList out;
        for (const char* n :
             {"lblName", "lblMap", "lblFolder", "lblPlayerCount", "lblPassword", "lblVac"})
            out << in<QLabel>(n)->text();
        return out;
    }
    // The server list as it shows: rows the filters let through, in their sorted order.
    int rows() const { return lstServers->model()->rowCount(); }
    QString cell(int row, int c) const {
        return lstServers->model()->index(row, c).data().toString();
    }
    QStringList column(int c) const {
        QStringList out;
        for (int i = 0; i < rows(); ++i) out << cell(i, c);
        return out;
    }
    void click(int row, bool twice = false) const {
        const QPoint at = lstServers->visualRect(lstServers->model()->index(row, 0)).center();
        QTest::mouseClick(lstServers->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(lstServers->viewport(), Qt::LeftButton, {}, at);
    }
    void select(int row) const { lstServers->setCurrentIndex(lstServers->model()->index(row, 0)); }
    void type(const QString& host, const QString& portText) const {
        ipadress->setText(host), port->setText(portText);
    }
};

const QStringList kInfo{"Skyloom été <b>", "2fort", "tfc", "2/16", "No", "Yes"};
const QStringList kBots{"Skyloom été <b>", "2fort", "tfc", "2/16 (3 bots)", "Yes", "Yes"};
const QStringList kNone{"", "", "", "", "", ""};
const struct QueryCase {
    const char* what;
    Mode mode;
    QString host;              // empty: the fake server's
    QString status;            // ADDR stands for the fake server's
    QStringList shown;         // name, map, folder, players, password, VAC
    int requests;              // what reached the server
    QString playersNote = {};  // what the players list says instead of the players
} kQueries[] = {
    {"plain", Mode::Plain, "", "", kInfo, 2},
    {"challenge, bots, password", Mode::Challenge, "", "", kBots, 3},
    {"old form first", Mode::OldForm, "", "", kInfo, 2},
    {"split", Mode::Split, "", "", kInfo, 2},
    {"players answered with new challenges only: information kept", Mode::PlayerChallenges, "", "",
     kInfo, 3, "Players: invalid answer"},
    {"garbage", Mode::Garbage, "", "Invalid answer from ADDR", kNone, 1},
    {"silent: two retries", Mode::Silent, "", "No answer from ADDR", kNone, 3},
    {"not an address: told what to mend", Mode::Plain, "two words", "", kNone, 0},
};

}  // namespace

class ConnectionToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    // Opened as a player does: from the main window's File menu.
    Controls open(const std::string& more = "",
                  const std::string& program = "/games/Half Life/hl.exe") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\n" +
                      (program.empty() ? "" : "program=" + program + "\r\n") + more);
        app->windows.show("sp")->findChild<QAction*>("mnuFileitmConnect")->trigger();
        TestApp::processDeletes();
        return Controls{app->windows.find("connect")};
    }
    void waitOut(int times = 2) { QTest::qWait(times * app->network.timing.timeoutMs); }

private slots:
    void open_takesMainWindowsPlace_skyloomItemGivesItBack() {
        Controls ui = open();
        QVERIFY(ui.w == app->windows.find("connect") && !app->windows.isLoaded("sp"));
        ui.in<QAction>("mnuFileitmSkyloom")->trigger();
        TestApp::processDeletes();
        QVERIFY(app->windows.find("sp")->isVisible() && app->windows.loadedCount() == 1);
    }

    void launch_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("fails");
        QTest::newRow("stays") << false << false;
        QTest::newRow("closes") << true << false;
        QTest::newRow("no program, fails, stays") << true << true;
    }
    // Every click starts a game; a ticked Close box ends the tool once the game has started.
    void launch() {
        QFETCH(bool, ticked);
        QFETCH(bool, fails);
        Controls ui = open("", fails ? "" : "/games/Half Life/hl.exe");
        if (fails) app->games.result = {false, "error", "No such file."};
        const std::string line =
            (fails ? "error"s : "/games/Half Life/hl.exe"s) + " -console +connect 10.0.0.7:27020";
        QTest::keyClicks(ui.ipadress, " 10.0.0.7 ");  // blanks around go
        ui.port->setText("27020");
        if (ticked) QTest::mouseClick(ui.close, Qt::LeftButton);
        for (size_t click = 1; click <= 2 && !app->ended; ++click) {
            QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
            QCOMPARE(app->games.starts.size(), click);
            const auto& start = app->games.starts.back();
            QCOMPARE(start.commandLine, line);
            QVERIFY(line.starts_with(start.program + " -console"));
            QVERIFY(!start.workingFolder && start.state == WindowState::Maximized);
            QCOMPARE(app->desktop.messages.size(), fails ? click : 0);
            TestApp::processDeletes();
            QCOMPARE(app->ended, ticked && !fails);  // the tool was the only window
        }
        for (const auto& m : app->desktop.messages)
            QVERIFY(m.text.contains("Program: error\nReason: No such file.") &&
                    m.title == "Skyloom" && m.icon == MessageIcon::Critical);
        if (app->ended) return;
        // An address that would split into arguments starts nothing.
        const size_t started = app->games.starts.size();
        ui.ipadress->setText("10.0.0.7 +exec evil");
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), started);
        QVERIFY(app->desktop.messages.back().text.startsWith("IP adress:"));
    }

    void query_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kQueries)); ++i) QTest::newRow(kQueries[i].what) << i;
    }
    // The Query button asks the server in the fields, whatever way it answers.
    void query() {
        QFETCH(int, row);
        auto [what, mode, host, status, shown, requests, playersNote] = kQueries[row];
        FakeA2sServer server(mode);
        if (mode == Mode::Challenge) {
            server.bots = 3, server.password = true;
            server.name = "Skyloom\n\xE2\x80\xAE\xC3\xA9t\xC3\xA9 <b>";  // one line, left to right
        }
        Controls ui = open();
        ui.type(host.isEmpty() ? "127.0.0.1" : host, QString::number(server.port()));
        QTest::mouseClick(ui.cmdQuery, Qt::LeftButton);
        const bool refused = !host.isEmpty(), answers = status.isEmpty() && !refused;
        QCOMPARE(app->desktop.messages.size(), size_t(refused));
        QTRY_COMPARE(ui.facts(), shown);
        QTRY_COMPARE(ui.lblStatus->text(), status.replace("ADDR", server.address()));
        QTRY_COMPARE(ui.lstPlayers->topLevelItemCount(), !playersNote.isEmpty() ? 1
                                                         : answers              ? 2
                                                                                : 0);
        waitOut();  // no late retries or answers
        QCOMPARE(server.requests, requests);
        QCOMPARE(ui.facts(), shown);
        QVERIFY(
            QRegularExpression(answers ? "^\\d+ ms$" : "^$").match(ui.lblPing->text()).hasMatch());
        if (!answers) return;
        // The value is what a screen reader speaks of it, after its caption.
        QLabel* name = ui.in<QLabel>("lblName");
        QCOMPARE(spokenName(name) +
                     QAccessible::queryAccessibleInterface(name)->text(QAccessible::Name),
                 "Name : " + shown[0]);
        QStringList players;
        for (int i = 0; i < ui.lstPlayers->topLevelItemCount(); ++i)
            for (int c = 0; c < 3; ++c) players << ui.lstPlayers->topLevelItem(i)->text(c);
        QCOMPARE(players, playersNote.isEmpty()
                              ? QStringList({"Ann", "12", "12:34", "Bob\uFFFD", "-3", "1:02:05"})
                              : QStringList({playersNote, "", ""}));
    }

    // Favourites come from [SERVERS] and are queried on open; the list fills the fields, joins
    // on a double click, and keeps its changes in the file with every other line as it was.
    void favourites_surviveARestart() {
        FakeA2sServer up(Mode::Plain), down(Mode::Silent);
        const std::string others = "[OTHER]\r\nkeep = this \r\n", upAt = up.address().toStdString();
        Controls ui = open("[SERVERS]\r\nserver1=" + upAt +
                               "\r\nserver2=" + down.address().toStdString() + "\r\n" + others,
                           "/hl.exe");
        const auto shown = [&] {
            return ui.column(0) + ui.column(1) + ui.column(2) + ui.column(4);
        };
        QTRY_COMPARE(shown(), QStringList({"Skyloom été <b>", "No answer from " + down.address(),
                                           "2fort", "", "2/16", "", up.address(), down.address()}));
        ui.click(0);
        QCOMPARE(QStringList({ui.ipadress->text(), ui.port->text()}),
                 QStringList({"127.0.0.1", QString::number(up.port())}));
        QVERIFY(ui.cmdRemove->isEnabled());
        ui.click(0, true);
        QCOMPARE(app->games.starts.size(), size_t(1));
        QCOMPARE(app->games.starts[0].commandLine, "/hl.exe -console +connect " + upAt);

        ui.type("127.0.0.2", "27016");
        QTest::mouseClick(ui.cmdAddFavourite, Qt::LeftButton);
        QTest::mouseClick(ui.cmdAddFavourite, Qt::LeftButton);  // once only
        ui.select(0);
        QTest::mouseClick(ui.cmdRemove, Qt::LeftButton);
        const std::string expected =
            "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/hl.exe\r\n"
            "[SERVERS]\r\nserver1=" +
            down.address().toStdString() + "\r\nserver2=127.0.0.2:27016\r\n" + others +
            "[RECENT]\r\nserver1=" + upAt + "\r\n";
        QCOMPARE(app->readIni(), expected);
        QCOMPARE(app->desktop.messages.size(), size_t(0));

        app->windows.unload("connect");  // a restart reads the file again
        TestApp::processDeletes();
        QCOMPARE(Controls{app->windows.show("connect")}.column(4),
                 QStringList({down.address(), "127.0.0.2:27016"}));
        QCOMPARE(app->readIni(), expected);
    }

    // The LAN search finds a server that answers only with a challenge first, lists no sender
    // it did not ask, and answers a challenge once; closing the window stops whatever is still
    // asking, the master too.
    void findLan_andCloseCancels() {
        FakeA2sServer lan(Mode::Challenge), silent(Mode::Silent);
        FakeA2sServer teaser(Mode::ChallengeThenSilent, QHostAddress("127.0.0.2"), lan.port()),
            stranger(Mode::OtherPort, QHostAddress("127.0.0.3"), lan.port());
        Controls ui = open();
        app->network.firstLanPort = app->network.lastLanPort = lan.port();
        app->network.lanTargets = [] {
            return QList<QHostAddress>{QHostAddress("127.0.0.1"), QHostAddress("127.0.0.2"),
                                       QHostAddress("127.0.0.3")};
        };
        QTest::mouseClick(ui.cmdFindLan, Qt::LeftButton);
        QVERIFY(!ui.cmdFindLan->isEnabled());
        QTRY_COMPARE(ui.column(4), QStringList(lan.address()));
        QTRY_COMPARE(ui.cell(0, 0), "Skyloom été <b>");
        QTRY_VERIFY(ui.cmdFindLan->isEnabled());
        QVERIFY(!ui.cmdRemove->isEnabled());
        waitOut(3);
        QCOMPARE(ui.rows(), 1);
        QCOMPARE(QList<int>({teaser.requests, stranger.requests}), QList<int>({2, 1}));

        ui.type("127.0.0.1", QString::number(silent.port()));
        QTest::mouseClick(ui.cmdQuery, Qt::LeftButton);
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

    void internet_data() {
        QTest::addColumn<int>("pages");  // the master answers this many, -1 all; -2 the Web API
        QTest::addColumn<QString>("progress");
        QTest::addColumn<int>("requests");
        QTest::newRow("master, two pages") << -1 << "3 of 4 servers answered" << 2;
        QTest::newRow("master stops after a page")
            << 1 << "2 of 2 servers answered; MASTER stopped answering, so the list is cut short"
            << 4;
        QTest::newRow("master silent") << 0 << "MASTER did not answer." << 3;
        QTest::newRow("Web API with the player's key") << -2 << "3 of 4 servers answered" << 0;
    }
    // The Internet tab lists the chosen game's servers from the master (or the Web API with a
    // key), shows those that answer and says how far it got.
    void internet() {
        QFETCH(int, pages);
        QFETCH(QString, progress);
        QFETCH(int, requests);
        FakeInternet net;
        FakeWebApi web;
        net.master.pagesToAnswer = std::max(pages, -1);
        QStringList entries;
        for (const QString& a : net.master.servers) entries << "{\"addr\":\"" + a + "\"}";
        web.body = "{\"response\":{\"servers\":[" + entries.join(',').toStdString() + "]}}";
        Controls ui = open(net.ini() + "game=tfc\r\nwebapi=http://127.0.0.1:" +
                           std::to_string(web.serverPort()) + "\r\n");
        if (pages == -2)
            app->network.webApiKey = [](QObject*, std::function<void(const QString&)> done) {
                done("K3Y");
            };
        QCOMPARE(ui.cboGame->currentText(), "Team Fortress Classic");
        ui.tabSources->setCurrentIndex(2);
        QTRY_COMPARE(ui.lblProgress->text(), progress.replace("MASTER", net.master.address()));
        QCOMPARE(int(net.master.requests.size()), requests);
        if (requests > 0) {
            QCOMPARE(net.master.requests[0],
                     "\x31\xFF"
                     "0.0.0.0:0\0\\gamedir\\tfc\0"s);
            if (pages != 0)
                QCOMPARE(net.master.requests[1],
                         "\x31\xFF" + net.b.address().toStdString() + "\0\\gamedir\\tfc\0"s);
        } else {
            QCOMPARE(web.requests,
                     QStringList({"GET /IGameServersService/GetServerList/v1/"
                                  "?key=K3Y&filter=%5Cgamedir%5Ctfc&limit=20000 HTTP/1.1"}));
        }
        QCOMPARE(ui.rows(), pages == 0 ? 0 : pages == 1 ? 2 : 3);
    }

    // `--list-servers`: a line per server that answered, fastest first; 1 when the master is
    // silent.
    void listServers() {
        FakeInternet net;
        open();
        for (bool silent : {false, true}) {
            net.master.pagesToAnswer = silent ? 0 : -1;
            std::FILE *out = std::tmpfile(), *err = std::tmpfile();
            const int status = runListServers({"tfc", net.master.address().toStdString()},
                                              app->settings, app->network, out, err);
            const auto text = [](std::FILE* f) {
                std::rewind(f);
                QByteArray b(4096, '\0');
                b.resize(qsizetype(std::fread(b.data(), 1, size_t(b.size()), f)));
                std::fclose(f);
                return QString::fromUtf8(b);
            };
            QStringList lines = text(out).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(status, int(silent));
            QCOMPARE(text(err), silent ? net.master.address() + " did not answer.\n" : "");
            int lastPing = 0;
            for (QString& line : lines) {
                const int ping = line.section('\t', 4).chopped(3).toInt();
                QVERIFY(ping >= lastPing && line.endsWith(" ms"));
                lastPing = ping;
                line = line.section('\t', 0, 3);
            }
            QStringList expected{net.a.address() + "\tAlpha\t2fort\t2/16",
                                 net.b.address() + "\tbravo\twell\t16/16",
                                 net.c.address() + "\tCharlie\t2FORT_night\t5/16"};
            lines.sort(), expected.sort();
            QCOMPARE(lines, silent ? QStringList() : expected);
        }
        QCOMPARE(net.master.requests[0].substr(2), "0.0.0.0:0\0\\gamedir\\tfc\0"s);
    }

    // The key goes to the secret store, trimmed, never into skyloom.ini; a refusal is told.
    void webApiKey_keptInTheSecretStore() {
        Controls ui = open();
        QStringList stored;
        app->network.storeWebApiKey = [&](QObject*, const QString& key,
                                          std::function<void(bool)> done) {
            stored << key;
            done(key != "refused");
        };
        app->desktop.secrets = {" K3Y ", std::nullopt, "refused"};
        for (int i = 0; i < 3; ++i) ui.in<QAction>("mnuFileitmWebApiKey")->trigger();
        QCOMPARE(stored, QStringList({"K3Y", "refused"}));
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QVERIFY(app->readIni().find("K3Y") == std::string::npos);
    }

    // Filters act at once and are kept; headings sort numbers as numbers; a double click joins
    // and the Recent tab shows the servers joined, newest first; any tab adds favourites.
    void internet_filtersSortJoinRecent() {
        FakeInternet net;
        Controls ui = open(net.ini(), "/hl.exe");
        ui.tabSources->setCurrentIndex(2);
        QTRY_COMPARE(ui.lblProgress->text(), "3 of 4 servers answered");
        QCOMPARE(net.master.requests[0].substr(2), "0.0.0.0:0\0\\appid\\70\\gamedir\\valve\0"s);
        const std::pair<std::function<void()>, QStringList> filters[] = {
            {[&] { ui.chkNotEmpty->click(); }, {"bravo", "Charlie"}},  // bots are no players
            {[&] { ui.chkNotFull->click(); }, {"Charlie"}},
            {[&] { ui.chkNotEmpty->click(); }, {"Alpha", "Charlie"}},
            {[&] { ui.chkNoPassword->click(); }, {"Alpha"}},
            {[&] { ui.chkNoPassword->click(), ui.chkNotFull->click(); },
             {"Alpha", "bravo", "Charlie"}},
            {[&] { QTest::keyClicks(ui.txtMapFilter, "2fort"); }, {"Alpha", "Charlie"}},
            {[&] { ui.spnMaxPing->setValue(9999); }, {"Alpha", "Charlie"}},
        };
        ui.lstServers->sortByColumn(0, Qt::AscendingOrder);
        for (const auto& [act, shown] : filters) {
            act();
            QCOMPARE(ui.column(0), shown);
        }
        QTRY_VERIFY(app->readIni().find("mapfilter=2fort\r\nmaxping=9999\r\ngame=valve") !=
                    std::string::npos);
        ui.chkNotFull->click();
        ui.lstServers->sortByColumn(2, Qt::DescendingOrder);
        // Rows arriving take their sorted places, filtered.
        QTest::mouseClick(ui.cmdRefresh, Qt::LeftButton);
        QTRY_COMPARE(ui.lblProgress->text(), "3 of 4 servers answered");
        QCOMPARE(ui.column(0), QStringList({"Charlie", "Alpha"}));
        QCOMPARE(net.master.requests.size(), size_t(4));
        ui.chkNotFull->click();
        ui.txtMapFilter->clear();
        ui.lstServers->sortByColumn(2, Qt::AscendingOrder);  // 2, 5, 16 players
        QCOMPARE(ui.column(0), QStringList({"Alpha", "Charlie", "bravo"}));

        for (int row : {1, 0}) ui.click(row, true);
        QCOMPARE(app->games.starts.size(), size_t(2));
        QCOMPARE(app->games.starts[1].commandLine,
                 "/hl.exe -console +connect " + net.a.address().toStdString());
        ui.select(2);
        QTest::mouseClick(ui.cmdAddFavourite, Qt::LeftButton);
        QVERIFY(app->readIni().find("[RECENT]\r\nserver1=" + net.a.address().toStdString() +
                                    "\r\nserver2=" + net.c.address().toStdString() + "\r\n") !=
                std::string::npos);
        QVERIFY(app->readIni().find("server1=" + net.b.address().toStdString()) !=
                std::string::npos);

        ui.lstServers->sortByColumn(-1, Qt::AscendingOrder);
        ui.tabSources->setCurrentIndex(3);
        QTRY_COMPARE(ui.column(0), QStringList({"Alpha", "Charlie"}));
        ui.tabSources->setCurrentIndex(0);
        QTRY_COMPARE(ui.column(0), QStringList({"bravo"}));
    }
};

QTEST_MAIN(ConnectionToolTest)
#include "connection_tool_test.moc"
