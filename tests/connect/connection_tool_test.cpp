#include "connect/connection_tool.h"

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

#include "fake_a2s_server.h"
#include "fuzz.h"
#include "platform/state_file.h"
#include "shell/window_memory.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;
using namespace std::string_literals;
using Mode = FakeA2sServer::Mode;
const std::string kProgram = "/hl.exe";

namespace {

// Three servers that answer and one that does not, listed by a master and a Web API on loopback
// with special addresses and a port 0 that no query may go to.
struct FakeInternet : QTcpServer {
    FakeA2sServer a{Mode::Plain}, b{Mode::Plain}, c{Mode::Plain}, silent{Mode::Silent};
    FakeMaster master{{a.address(), b.address(), c.address(), silent.address(), "10.0.0.1:27015",
                       "255.255.255.255:27015", "169.254.1.1:22", "127.0.0.1:0"}};
    QStringList webRequests;
    FakeInternet() {
        a.name = "Alpha";  // more people than Charlie, no humans
        a.players = a.bots = 6;
        b.name = "bravo";
        b.map = "well";
        b.players = 16;
        b.vac = false;
        c.name = "Charlie";
        c.map = "2FORT_night";
        c.players = 5;
        c.bots = 1;
        c.password = true;
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, [this, s] {
                const QByteArray r = s->readAll();
                webRequests << QString::fromLatin1(r.left(r.indexOf('\r')));
                QByteArray body = "{\"response\":{\"servers\":[";
                for (const QString& at : master.servers)
                    body += "{\"addr\":\"" + at.toUtf8() + "\"},";
                body.back() = ']';
                body += "}}";
                s->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                         QByteArray::number(body.size()) + "\r\n\r\n" + body);
                s->disconnectFromHost();
            });
        });
    }
    QString web() const { return "http://127.0.0.1:" + QString::number(serverPort()); }
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
    QTreeView* list = in<QTreeView>("lstServers");
    QTabWidget* tabs = in<QTabWidget>("tabSources");

    // The group: name, map, folder, players, password, VAC, then each player's three cells.
    QStringList shown() const {
        QStringList out;
        for (auto n : {"lblName", "lblMap", "lblFolder", "lblPlayerCount", "lblPassword", "lblVac"})
            out << text(n);
        auto* players = in<QTreeWidget>("lstPlayers");
        for (int i = 0; i < players->topLevelItemCount(); ++i)
            for (int c = 0; c < 3; ++c) out << players->topLevelItem(i)->text(c);
        return out;
    }
    // The server list as it shows: rows the filters let through, in their sorted order.
    QStringList column(int c, int role = Qt::DisplayRole) const {
        QStringList out;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            out << list->model()->index(i, c).data(role).toString();
        return out;
    }
    void click(int row, bool twice = false) const {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    void setServer(const QString& host, const QString& at) const {
        ipadress->setText(host);
        port->setText(at);
    }
};

const QString kName = "Skyloom été <b>";
const QStringList kInfo{kName, "2fort", "tfc", "2/16", "Yes", "Yes"}, kNone(6, "");

QString recentSection(const QStringList& servers) {
    QString s = "[RECENT]\r\n";
    for (int i = 0; i < servers.size(); ++i)
        s += "server" + QString::number(i + 1) + '=' + servers[i] + "\r\n";
    return s;
}

}  // namespace

class ConnectionToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    QList<QHostAddress> asked;  // every address a query was about to go to

    Controls open(const std::string& more = "", const std::string& program = kProgram) {
        app.reset();  // its windows keep their layouts in its own state file, not the next one's
        app = std::make_unique<TestApp>();
        app->add<ConnectionTool>("connect");
        app->network.mayReach = [this](auto& to) {
            asked << to;
            return to.isLoopback();
        };
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\n" +
                      (program.empty() ? "" : "program=" + program + "\r\n") + more);
        Controls ui{app->windows.show("connect")};
        // The list's model and what the list shows of it, sorted and filtered, keep Qt's rules.
        auto* shown = qobject_cast<QSortFilterProxyModel*>(ui.list->model());
        for (QAbstractItemModel* m :
             {static_cast<QAbstractItemModel*>(shown), shown->sourceModel()})
            new QAbstractItemModelTester(m, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         ui.list);
        return ui;
    }
    QString ini() { return QString::fromStdString(app->readIni()); }
    QString joined(const QString& server, const QString& password = "") {
        return QString::fromStdString(kProgram) + " -console " + password + "+connect " + server;
    }
    // The games started since last asked, then each message's first line up to its ':'.
    QStringList seen(int waitMs = 0) {
        (void)QTest::qWaitFor(
            [&] { return app->games.starts.size() + app->desktop.messages.size(); }, waitMs);
        QStringList out;
        for (const auto& s : app->games.starts) out << QString::fromStdString(s.commandLine);
        for (const auto& m : app->desktop.messages)
            out << m.text.section('\n', 0, 0).section(':', 0, 0);
        app->games.starts.clear();
        app->desktop.messages.clear();
        return out;
    }
    // Filters act at once and are kept per tab; columns sort by what they show; a double click
    // joins the row, which then shows in Recent.
    void filtersSortJoinRecent(const Controls& ui, const FakeInternet& net) {
        auto* mapFilter = ui.in<QLineEdit>("txtMapFilter");
        const std::pair<std::function<void()>, QStringList> filters[] = {
            {[&] { ui.press("chkNotEmpty"); }, {"bravo", "Charlie"}},  // bots are no players
            {[&] { ui.press("chkNotFull"); }, {"Charlie"}},
            {[&] { ui.press("chkNotEmpty"); }, {"Alpha", "Charlie"}},
            {[&] { ui.press("chkNoPassword"); }, {"Alpha"}},
            {[&] {
                 ui.press("chkNoPassword");
                 ui.press("chkNotFull");
             },
             {"Alpha", "bravo", "Charlie"}},
            {[&] { ui.press("chkNoBotsOnly"); }, {"bravo", "Charlie"}},  // Alpha: one bot
            {[&] {
                 ui.press("chkNoBotsOnly");
                 QTest::keyClicks(mapFilter, "2fort");
             },
             {"Alpha", "Charlie"}},
            {[&] { ui.in<QSpinBox>("spnMaxPing")->setValue(9999); }, {"Alpha", "Charlie"}},
        };
        ui.list->sortByColumn(0, Qt::AscendingOrder);
        for (const auto& [act, shown] : filters) {
            act();
            QCOMPARE(ui.column(0), shown);
        }
        QTRY_VERIFY(ini().contains("mapfilter=2fort\r\nmaxping=9999\r\ngame=valve"));
        // Rows arriving take their sorted places, filtered.
        ui.press("chkNotFull");
        ui.list->sortByColumn(2, Qt::DescendingOrder);
        ui.press("cmdRefresh");
        QTRY_COMPARE_WITH_TIMEOUT(ui.text("lblProgress"),
                                  "3 of 4 servers answered; 1 hidden by the filters", 10000);
        QCOMPARE(ui.column(0), QStringList({"Charlie", "Alpha"}));
        QTRY_COMPARE(net.master.requests.size(), size_t(8));
        ui.press("chkNotFull");
        mapFilter->clear();
        ui.list->sortByColumn(2, Qt::AscendingOrder);  // 0, 3, 16 people
        QCOMPARE(ui.column(0) + ui.column(2) + ui.column(3, Qt::AccessibleTextRole) + ui.column(4),
                 QStringList({"Alpha", "Charlie", "bravo", "0/16 \u00B7 6 bots",
                              "4/16 \u00B7 1 bot", "16/16", "", "password", "", "VAC", "VAC", ""}));
        QVERIFY(!ui.list->model()->index(1, 3).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(ui.list->model()->index(0, 3).data(Qt::DecorationRole).isNull());

        ui.click(0);  // Enter joins, with no password asked of a server without one
        QTest::keyClick(ui.list, Qt::Key_Return);
        QCOMPARE(seen(), QStringList(joined(net.a.address())));
        ui.click(1);  // and asks a passworded one's
        QTest::keyClick(ui.list, Qt::Key_Return);
        QCOMPARE(app->desktop.secretDialogs.size(), qsizetype(1));
        ui.click(2);  // the row's actions: Ctrl+C copies its address, one action keeps it
        QTest::keySequence(ui.list, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), net.b.address());
        auto* favourite = ui.list->findChild<QAction*>("actFavourite");
        QVERIFY(ui.list->actions().contains(favourite) && favourite->shortcut().isEmpty());
        favourite->trigger();
        QCOMPARE(favourite->text() + favourite->shortcut().toString(),
                 "&Remove from favouritesDel");
        // The game box and Refresh show only where they act.
        QStringList shown;
        for (int t : {0, 1, 3, 2}) {
            ui.tabs->setCurrentIndex(t);
            shown << QString::number(ui.in<QWidget>("cboGame")->isVisibleTo(ui.tabs->window())) +
                         QString::number(ui.in("cmdRefresh")->isVisibleTo(ui.tabs->window()));
        }
        QCOMPARE(shown, QStringList({"00", "00", "01", "11"}));

        // The Internet tab's filters hide nothing on the others, which keep their own.
        ui.press("chkNotFull");
        ui.tabs->setCurrentIndex(3);
        QTRY_COMPARE(ui.column(0), QStringList({"Alpha"}));
        ui.tabs->setCurrentIndex(0);
        QTRY_COMPARE(ui.column(0), QStringList({"bravo"}));
        ui.press("chkNotFull");
        QCOMPARE(ui.column(0), QStringList());
        QCOMPARE(ui.text("lblProgress"), "1 of 1 servers answered; 1 hidden by the filters");
        QTRY_VERIFY(ini().contains("\nnotfull=1") && ini().contains("\nfavourites_notfull=1"));
        ui.tabs->setCurrentIndex(2);
        QVERIFY(ui.in("chkNotFull")->isChecked());
        ui.tabs->setCurrentIndex(0);  // Delete removes the favourite
        ui.press("chkNotFull");
        ui.click(0);
        QTest::keyClick(ui.list, Qt::Key_Delete);
        QVERIFY(ui.column(0).isEmpty() && !ini().contains("server1=" + net.b.address()));
    }

private slots:
    // No query left loopback, whatever a list or the player named.
    void cleanup() {
        for (const QHostAddress& to : std::exchange(asked, {}))
            QVERIFY2(to.isLoopback(), qPrintable(to.toString()));
    }

    // Every click starts a game and puts the server first in Recent, which keeps 20; a ticked
    // Close box then ends the tool.
    void launch() {
        QStringList recent;
        for (int i = 1; i <= 20; ++i) recent << "10.0.1." + QString::number(i) + ":27015";
        for (auto [ticked, fails] : {std::pair{false, false}, {true, false}, {true, true}}) {
            Controls ui = open(recentSection(recent).toStdString(), fails ? "" : kProgram);
            QTest::keyClicks(ui.ipadress, " 127.0.0.7 ");  // blanks around go
            ui.port->setText("27020");
            if (ticked) ui.press("close");
            for (int click = 1; click <= 2 && !app->ended; ++click) {
                ui.press("cmdLaunch");  // a second later: no server answers there
                (void)QTest::qWaitFor(
                    [&] { return app->games.starts.size() + app->desktop.messages.size(); });
                for (const auto& start : app->games.starts)
                    QVERIFY(start.workingFolder == "/" && start.state == WindowState::Maximized);
                QCOMPARE(seen(), fails ? QStringList("Skyloom does not know where hl.exe is")
                                       : QStringList(joined("127.0.0.7:27020")));
                TestApp::processDeletes();
                QCOMPARE(app->ended, ticked && !fails);  // the tool was the only window
            }
            if (app->ended) continue;
            if (!fails) recent = QStringList{"127.0.0.7:27020"} + recent.first(19);
            QVERIFY(ini().endsWith(recentSection(recent)));
        }
        auto* tool = qobject_cast<QWidget*>(Controls{app->windows.show("connect")}.w);
        QApplication::setActiveWindow(tool);
        QTest::keyClick(tool, Qt::Key_Escape);  // leaves as the close box does
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }

    // Favourites from [SERVERS] are queried on open; changes are kept, every other line as it
    // was. Query shows what a server answered or why not; the LAN search lists what answered.
    void favouritesQueryAndLan() {
        FakeA2sServer up(Mode::Plain, QHostAddress::LocalHostIPv6), down(Mode::Silent);
        up.password = true;
        const QString others = "[OTHER]\r\nkeep = this \r\n", upAt = up.address();
        Controls ui = open(
            ("[SERVERS]\r\nserver1=" + down.address() + "\r\nserver2=" + upAt + "\r\n" + others)
                .toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(
            ui.column(0) + ui.column(1) + ui.column(2),
            QStringList({"No answer from " + down.address(), kName, "", "2fort", "", "2/16"}),
            10000);
        // By ping, a server that never answered comes last; any filter hides it.
        ui.list->sortByColumn(5, Qt::AscendingOrder);
        QCOMPARE(ui.column(6), QStringList({upAt, down.address()}));
        ui.press("chkNotEmpty");
        QCOMPARE(ui.column(6), QStringList(upAt));
        ui.press("chkNotEmpty");
        QTRY_VERIFY(ini().contains("favourites_notempty=0"));

        // Selecting a row asks for its players; the group never shows another server's.
        ui.click(0);
        QCOMPARE(ui.ipadress->text() + ' ' + ui.port->text(), "::1 " + QString::number(up.port()));
        QTRY_COMPARE(ui.shown(),
                     kInfo + QStringList({"Ann", "12", "12:34", "Bob\uFFFD", "-3", "1:02:05"}));
        ui.click(1);
        QCOMPARE(ui.shown(), kNone);
        ui.click(0);

        // A double click joins the row, not the fields; its password is asked, passed and
        // masked wherever the command shows.
        ui.setServer("10.9.9.9", "1");
        app->desktop.secrets = {std::nullopt, "bad pass", "+quit", "-dev", "s3cret", "s3cret"};
        for (int i = 0; i < 5; ++i) ui.click(0, true);
        QCOMPARE(app->desktop.secretDialogs.size(), size_t(5));
        QVERIFY(app->desktop.messages.back().text.contains("start with '+' or '-'"));
        QCOMPARE(seen(), QStringList({joined(upAt, "+password s3cret "), "Password", "Password",
                                      "Password"}));
        const QString started = ui.text("startStatus");
        app->games.result = {false, "No such file."};
        ui.click(0, true);
        for (const QString& told : {started, app->desktop.messages.back().text})
            QVERIFY2(told.contains("+password ******** +connect") && !told.contains("s3cret"),
                     qPrintable(told));

        ui.setServer("127.0.0.2", "27016");
        ui.press("cmdAddFavourite");
        ui.press("cmdAddFavourite");  // once only
        ui.click(1);
        ui.press("cmdRemove");
        const QString kept = ini();
        QVERIFY2(kept.startsWith("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/hl.exe\r\n[SERVERS]"
                                 "\r\nserver1=" +
                                 upAt + "\r\nserver2=127.0.0.2:27016\r\n") &&
                     kept.endsWith(others + recentSection({upAt})),
                 qPrintable(kept));

        // A listed server that stops answering says so in its row, which a filter then hides.
        up.mode = Mode::Silent;
        ui.press("chkNotEmpty");
        ui.setServer("::1", QString::number(up.port()));
        ui.press("cmdQuery");
        QTRY_VERIFY(ui.column(6).isEmpty());
        ui.press("chkNotEmpty");
        QVERIFY(ui.column(0).contains("No answer from " + upAt));

        // Query shows what a server answered or why not, the information as soon as it comes
        // (every way of answering is the querier's test).
        const std::tuple<Mode, const char*, QStringList, QString> queries[] = {
            {Mode::Split, "::1",
             kInfo + QStringList{"Ann", "12", "12:34", "Bob\uFFFD", "-3", "1:02:05"}, ""},
            {Mode::PlayerChallenges, "127.0.0.1",
             kInfo + QStringList{"Players: invalid answer", "", ""}, ""},
            {Mode::InfoOnly, "127.0.0.1", kInfo + QStringList{"Players: no answer", "", ""}, ""},
            {Mode::Garbage, "127.0.0.1", kNone, "Invalid answer from "},
            {Mode::Silent, "127.0.0.1", kNone, "No answer from "}};
        for (const auto& [mode, host, shown, status] : queries) {
            FakeA2sServer server(mode, QHostAddress(host));
            server.password = true;
            ui.setServer(host, QString::number(server.port()));
            ui.press("cmdQuery");
            if (mode == Mode::InfoOnly) QTRY_COMPARE(ui.shown(), kInfo);  // before the players
            QTRY_COMPARE(ui.shown(), shown);
            QTRY_COMPARE(ui.text("lblStatus"), status + (status.isEmpty() ? "" : server.address()));
        }
        FakeA2sServer lan(Mode::Challenge);  // the LAN search lists what answered
        app->network.lanTargets = [] { return QList<QHostAddress>{QHostAddress("127.0.0.1")}; };
        app->network.firstLanPort = app->network.lastLanPort = lan.port();
        ui.press("cmdFindLan");
        QTRY_VERIFY_WITH_TIMEOUT(ui.in("cmdFindLan")->isEnabled(), 10000);
        QCOMPARE(ui.column(6) + ui.column(0), QStringList({lan.address(), kName}));
    }

    // The door: Enter in a field asks the typed server first. A password is asked for, a silent
    // server joined as typed after saying so, and a full one waited for on a Yes.
    void door() {
        FakeA2sServer locked(Mode::Plain), silent(Mode::Silent), full(Mode::Plain);
        locked.password = true;
        full.name = "Full House DM";
        full.players = 16;
        Controls ui = open();
        const auto knock = [&](const FakeA2sServer& at, Qt::Key key = Qt::Key_Return) {
            ui.setServer("127.0.0.1", QString::number(at.port()));
            QTest::keyClick(key == Qt::Key_Return ? ui.port : ui.ipadress, key);
        };
        app->desktop.secrets = {"s3cret"};
        knock(locked, Qt::Key_Enter);
        QCOMPARE(seen(5000), QStringList(joined(locked.address(), "+password s3cret ")));
        QElapsedTimer clock;
        clock.start();
        knock(silent);
        QCOMPARE(seen(5000), QStringList(joined(silent.address())));
        QVERIFY(clock.elapsed() < 1500);
        QCOMPARE(ui.text("lblDoor"), silent.address() + " did not answer; joined as typed.");

        // Full: No leaves it; Yes waits, asking no more often than every 5 s, and joins when a
        // place frees, drawing the eye. Stop waiting, closing or the time limit end it, saying so.
        const QString asked = "Full House DM is full (16 of 16). Join when a place frees?";
        const QString stopped = "Stopped waiting for a place on Full House DM";
        app->desktop.answers = {MessageAnswer::No};
        knock(full);
        QCOMPARE(seen(5000), QStringList(asked));
        full.password = true;
        app->desktop.secrets = {"hunter2"};  // asked once, before the wait
        knock(full);
        QCOMPARE(seen(5000), QStringList(asked));
        QVERIFY(ui.text("lblDoor").startsWith("Waiting for a place on Full House DM: 0:0"));
        clock.start();
        QTimer::singleShot(12000, [&] { full.players = 15; });
        QCOMPARE(seen(20000), QStringList(joined(full.address(), "+password hunter2 ")));
        qInfo("full server joined %lld ms after its first answer", clock.elapsed());
        QVERIFY(clock.elapsed() < 16000 && full.requests == 5 && app->desktop.alerts.size() == 1);
        full.players = 16;
        full.password = false;
        app->network.fullWaitMs = 1500;
        for (const QString end : {": none freed in 0:01.", "."}) {
            knock(full);
            QCOMPARE(seen(5000), QStringList(asked));
            if (end == ".") ui.press("cmdStopWaiting");
            QTRY_COMPARE(ui.text("lblDoor"), stopped + end);
        }
        knock(full);
        QCOMPARE(seen(5000), QStringList(asked));
        ui.list->window()->close();
        QCOMPARE(seen(), QStringList(stopped + "."));
    }

    // Columns moved and sized, and folded details, are as the player left them when the tool
    // opens again.
    void layoutRemembered() {
        Controls ui = open();
        ui.list->header()->moveSection(6, 0);
        ui.list->header()->resizeSection(0, 321);
        ui.press("cmdDetails");
        ui.list->window()->close();
        TestApp::processDeletes();
        const Controls again{app->windows.show("connect")};
        QCOMPARE(again.list->header()->visualIndex(6), 0);
        QCOMPARE(again.list->header()->sectionSize(0), 321);
        QVERIFY(!again.in<QWidget>("paneDetails")->isVisibleTo(again.list->window()));
        // Kept in the one state file beside the other windows'; hostile bytes there only return.
        const StateValues kept = readStateFile(stateFilePath());
        for (const char* part : {"geometry", "columns", "splitter", "details"})
            QVERIFY2(kept.count("connect."s + part), part);
        QHeaderView* header = again.list->header();
        const QByteArray columns = columnsState(header);
        QVERIFY(!restoreColumns(header, "6,90,0,80") && !restoreColumns(header, columns + ",0"));
        QVERIFY(!restoreColumns(header, QByteArray(columns).replace("0,321", "6,321")));
        QCOMPARE(columnsState(header), columns);
        fuzz({columns.toStdString(), "1,2"}, 3000, [&](const std::string& bytes) {
            if (restoreColumns(header, QByteArray::fromStdString(bytes)))
                for (int c = 0; c < header->count(); ++c) QVERIFY(header->sectionSize(c) <= 100000);
            auto* split = again.in<QSplitter>("splitServers");
            restoreSplitter(split, QByteArray::fromStdString(bytes));
        });
    }

    // Every favourite is listed and asked, up to 5,000; the tab says how many more there are.
    void manyFavourites() {
        std::string servers = "[SERVERS]\r\n";
        for (int i = 1; i <= 5002; ++i)
            servers +=
                "server" + std::to_string(i) + "=127.0.0.1:" + std::to_string(40000 + i) + "\r\n";
        Controls ui = open(servers);
        QCOMPARE(ui.list->model()->rowCount(), 5000);
        QCOMPARE(ui.text("lblProgress"),
                 "0 of 5,000 servers answered; 2 more in the settings left out");
    }

    // The Internet tab lists the game's servers from the master (or the Web API with a key) and
    // says how far it got.
    void internet() {
        // Pages the master answers (-1: all, -2: the Web API lists), progress, master requests.
        const std::tuple<int, QString, int> cases[] = {
            {1, "2 of 2 servers answered; MASTER stopped answering, so the list is cut short", 4},
            {-2, "3 of 4 servers answered", 0},
            {-1, "3 of 4 servers answered", 4}};
        for (auto [pages, progress, requests] : cases) {
            FakeInternet net;
            net.master.pagesToAnswer = std::max(pages, -1);
            const bool tfc = pages > -1;  // else the first game, Half-Life
            Controls ui = open(("[SERVERS]\r\nmaster=" + net.master.address() +
                                "\r\nwebapi=" + net.web() + (tfc ? "\r\ngame=tfc" : ""))
                                   .toStdString());
            if (pages <= -2) app->network.webApiKey = [](QObject*, auto done) { done("K3Y"); };
            ui.tabs->setCurrentIndex(2);
            // One that never answers stays counted, not shown, once its time is up.
            QTRY_COMPARE_WITH_TIMEOUT(net.silent.requests, pages < 0 ? 3 : 0, 20000);
            QTest::qWait(2 * app->network.timing.timeoutMs);
            QTRY_COMPARE_WITH_TIMEOUT(ui.text("lblProgress"),
                                      progress.replace("MASTER", net.master.address()), 20000);
            QCOMPARE(ui.in<QLabel>("lblProgress")->textFormat(), Qt::PlainText);  // names a master
            QTRY_COMPARE(int(net.master.requests.size()), requests);
            const std::string filter =
                tfc ? "\0\\gamedir\\tfc\0"s : "\0\\appid\\70\\gamedir\\valve\0"s;
            const std::string seeds[] = {"0.0.0.0:0", net.b.address().toStdString()};
            for (int i = 0; i < std::min(requests, 2); ++i)
                QCOMPARE(net.master.requests[i], "\x31\xFF"s + seeds[i] + filter);
            const QString webGet =
                "GET /IGameServersService/GetServerList/v1/?key=K3Y&filter="
                "%5Cappid%5C70%5Cgamedir%5Cvalve&limit=20000 HTTP/1.1";
            QCOMPARE(net.webRequests, requests ? QStringList() : QStringList(webGet));
            QCOMPARE(ui.column(6).size(), pages == 0 ? 0 : pages == 1 ? 2 : 3);
            if (pages != -1) continue;
            // At the size it opens with, every column shows whole beside the others.
            QCOMPARE_LE(ui.list->header()->length(), ui.list->viewport()->width());
            filtersSortJoinRecent(ui, net);
        }
        // A master named with escapes and overrides is shown on one line, as it reads.
        Controls ui = open("[SERVERS]\r\nmaster=\x1B]0;x\x07\u202E:1\r\n");
        ui.tabs->setCurrentIndex(2);
        QTRY_COMPARE(ui.text("lblProgress"), " ]0;x :1 gave no server list.");
    }
};

QTEST_MAIN(ConnectionToolTest)
#include "connection_tool_test.moc"