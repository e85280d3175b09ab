#include <QtNetwork>
#include <QtTest>

#include "app/demo_info_mode.h"
#include "app/list_servers_mode.h"
#include "app/map_info_mode.h"
#include "app/preset_mode.h"
#include "app/query_mode.h"
#include "demo_bytes.h"
#include "fake_a2s_server.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;
using Mode = FakeA2sServer::Mode;

namespace {
// Runs a mode printing to two streams: its exit status, then what it printed to each.
template <class Run>
QStringList printed(Run run) {
    char* texts[2] = {};
    size_t sizes[2] = {};
    std::FILE *out = open_memstream(&texts[0], &sizes[0]),
              *err = open_memstream(&texts[1], &sizes[1]);
    QStringList result{QString::number(run(out, err))};
    std::fclose(out);
    std::fclose(err);
    for (int i : {0, 1}) {
        result << QString::fromUtf8(texts[i], qsizetype(sizes[i]));
        std::free(texts[i]);
    }
    return result;
}
}  // namespace

class ModesTest : public QObject {
    Q_OBJECT
private slots:
    // --list-servers: those that answered, fastest first, however they arrived; a master that
    // answers from elsewhere, a Web API that refuses the key, answers too much or too slowly
    // each say so.
    void listServers_fastestFirstOrWhyNot() {
        TestApp app;
        // Late but quick: its challenge comes a second and a half in, its answer at once; the
        // margins are seconds wide, so a loaded machine keeps the order.
        app.network.timing = {6000, 0};
        FakeA2sServer late(Mode::Challenge), slow(Mode::Plain), silent(Mode::Silent);
        late.delaysMs = {1500, 0};
        slow.delaysMs = {1000};
        late.name = "late\xE2\x80\xA9quick";
        slow.name = "slow";
        FakeMaster master({slow.address(), late.address(), silent.address()});
        // Web APIs: one refuses every key, one answers past 32 MiB, one drips a byte at a time.
        QTcpServer web, huge, drip;
        const auto serve = [](QTcpServer& server, std::function<void(QTcpSocket*)> answer) {
            server.listen(QHostAddress::LocalHost);
            connect(&server, &QTcpServer::newConnection, [&server, answer] {
                QTcpSocket* s = server.nextPendingConnection();
                connect(s, &QTcpSocket::readyRead, [s, answer] {
                    if (s->readAll().contains("\r\n\r\n")) answer(s);
                });
            });
            return "http://127.0.0.1:" + QString::number(server.serverPort());
        };
        const QString refusing = serve(web, [](QTcpSocket* s) {
            s->write("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            s->disconnectFromHost();
        });
        int past = 0;  // bytes the answer has past 32 MiB
        const QString sized = serve(huge, [&past, &slow](QTcpSocket* s) {
            const QByteArray list =
                "{\"response\":{\"servers\":[{\"addr\":\"" + slow.address().toUtf8() + "\"}]}}";
            s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" +
                     list.leftJustified((32 << 20) + past));
            s->disconnectFromHost();
        });
        const QString dripping = serve(drip, [](QTcpSocket* s) {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
            auto* each = new QTimer(s);
            connect(each, &QTimer::timeout, s, [s] { s->write(" "); });
            each->start(300);
            QTimer::singleShot(4000, s, [s] { s->abort(); });  // else it never ends
        });
        app.network.webApiDeadlineMs = 2000;
        const auto run = [&](const QString& webApi, const char* from = nullptr, int port = 0,
                             std::string at = "") {
            if (from) master.answerFrom(QHostAddress(from), quint16(port));
            app.writeIni("[SERVERS]\nwebapi=" + webApi.toStdString() + "\n");
            const QString key = webApi.isEmpty() ? "" : "K";
            app.network.webApiKey = [key](QObject*, auto done) { done(key); };
            QStringList out = printed([&](std::FILE* o, std::FILE* e) {
                return runListServers({"tfc", at.empty() ? master.address().toStdString() : at},
                                      app.settings, app.network, o, e);
            });
            for (QString& line : out) line.replace(QRegularExpression("\t\\d+ ms\n"), "\n");
            return out;
        };
        QCOMPARE(run(""), QStringList({"0",
                                       late.address() + "\tlate quick\t2fort\t2/16\n" +
                                           slow.address() + "\tslow\t2fort\t2/16\n",
                                       ""}));
        QCOMPARE(run(refusing), QStringList({"1", "", refusing + " gave no server list.\n"}));
        QCOMPARE(run(sized), QStringList({"0", slow.address() + "\tslow\t2fort\t2/16\n", ""}));
        past = 1;
        QCOMPARE(run(sized), QStringList({"1", "", sized + " gave no server list.\n"}));
        QCOMPARE(run(dripping), QStringList({"1", "", dripping + " did not answer.\n"}));
        // What the settings or the command line name is printed on one line, escapes made blanks.
        QCOMPARE(run("", nullptr, 0, "\x1B]0;x\x07\u202E:1"),
                 QStringList({"1", "", " ]0;x :1 gave no server list.\n"}));
        const QStringList masterSilent{"1", "", master.address() + " did not answer.\n"};
        QCOMPARE(run("", "127.0.0.1", 0), masterSilent);  // another port
        QCOMPARE(run("", "127.0.0.2", master.address().section(':', 1).toInt()), masterSilent);
        // Special blocks a list names are dropped from their first to their last address, their
        // neighbours asked (127/8, the master's own, is asked: it lists the servers above).
        const char* const blocks[] = {"0.0.0.0/8",      "10.0.0.0/8",      "100.64.0.0/10",
                                      "169.254.0.0/16", "172.16.0.0/12",   "192.0.0.0/24",
                                      "192.0.2.0/24",   "192.88.99.0/24",  "192.168.0.0/16",
                                      "198.18.0.0/15",  "198.51.100.0/24", "203.0.113.0/24",
                                      "224.0.0.0/4",    "240.0.0.0/4"};
        QStringList ends, near, asked;
        for (const char* block : blocks) {
            const auto [first, bits] = QHostAddress::parseSubnet(block);
            const quint32 low = first.toIPv4Address(), high = low | ~0u >> bits;
            for (const quint32 ip : {low, high, low - 1, high + 1})
                (ip == low || ip == high ? ends : near) << QHostAddress(ip).toString() + ":27015";
        }
        const QStringList listed = ends + near;
        FakeMaster edged({listed.begin(), listed.end()}, listed.size());
        app.network.mayReach = [&asked](const QHostAddress& to) {
            asked << to.toString() + ":27015";
            return to.isLoopback();
        };
        QCOMPARE(run("", nullptr, 0, edged.address().toStdString()), QStringList({"0", "", ""}));
        for (const QString& end : ends) near.removeAll(end);  // next to another block: its end
        QCOMPARE(asked, near);
    }
    // --query: the information, then the players; a player's failure on standard error.
    void query_printsTheServerAndItsPlayers() {
        TestApp app;
        FakeA2sServer plain(Mode::Plain), infoOnly(Mode::InfoOnly), silent(Mode::Silent);
        const QString info =
            "name\tSkyloom \u00e9t\u00e9 <b>\nmap\t2fort\nfolder\ttfc\n"
            "players\t2/16\nping\tN ms\npassword\tno\nvac\tyes\n";
        const auto query = [&](const FakeA2sServer& server) {
            QStringList out = printed([&](std::FILE* o, std::FILE* e) {
                return runQuery(server.address().toStdString(), app.network, o, e);
            });
            out[1].replace(QRegularExpression("ping\t\\d+ ms"), "ping\tN ms");
            return out;
        };
        const QString players = "player\tAnn\t12\t754\nplayer\tBob\uFFFD\t-3\t3725\n";
        QCOMPARE(query(plain), QStringList({"0", info + players, ""}));
        QCOMPARE(query(infoOnly),
                 QStringList(
                     {"0", info, "skyloom: players: no answer from " + infoOnly.address() + "\n"}));
        QCOMPARE(query(silent),
                 QStringList({"1", "", "skyloom: no answer from " + silent.address() + "\n"}));
    }
    // --map-info: 0 when the game has every file, 1 when some are missing, 2 for no map.
    void mapInfo_exitsByWhatIsMissing() {
        TestApp app;
        const std::string maps = app.makeFolder("hl/valve/maps");
        writeFile(maps + "/whole.bsp", bspBytes("{\"message\" \"Whole\"}"));
        writeFile(maps + "/needs.bsp", bspBytes("{\"wad\" \"absent.wad\"}", {{"FROM_A_WAD"}}));
        writeFile(maps + "/bad.bsp", "not a map");
        for (auto [file, status] : {std::pair{"whole", 0}, {"needs", 1}, {"bad", 2}, {"none", 2}})
            QCOMPARE(runMapInfo(maps + "/" + file + ".bsp"), status);
    }
    // --demo-info: the demo's lines; 1 and why for a file that is no demo; 2 for no file.
    void demoInfo_printsTheDemoOrWhyNot() {
        TestApp app;
        const std::string demo = app.folder() + "/a.dem", cut = app.folder() + "/b.dem";
        writeFile(demo, demoBytes("crossfire", "valve", {1, 83.46f}));
        writeFile(cut, "HLDEMO");
        const auto run = [](const std::string& file) {
            return printed([&](std::FILE* o, std::FILE* e) { return runDemoInfo(file, o, e); });
        };
        QCOMPARE(
            run(demo),
            QStringList({"0", "map\tcrossfire\ngame\tvalve\nlength\t83.5\nprotocol\t48\n", ""}));
        QCOMPARE(run(cut),
                 QStringList({"1", "",
                              QString::fromStdString(
                                  "skyloom: " + cut +
                                  ": cut short: a demo's header alone takes 544 bytes\n")}));
        const QString folder = QString::fromStdString(app.folder());
        QCOMPARE(run(app.folder()),
                 QStringList({"2", "", "skyloom: " + folder + ": not a file\n"}));
        QCOMPARE(run(cut + "x").value(0), "2");
    }
    // --preset: starts the preset as the main window would, else says why in the usual box.
    void preset_startsOrSaysWhy() {
        const std::tuple<const char*, const char*, int, const char*> rows[] = {
            {"", "[PRESET p]\ntype=deathmatch\n", 1, "Please select a map"},
            {"", "", 1, "There is no preset called \"p\""},
            {"program=/g/hl.exe\n",
             "[PRESET p]\ntype=deathmatch\nmap=\"m.bsp\"\nparameters=\"-a\tb\"\n", 0, ""},
            {"program=/g/hl.exe\n", "[PRESET p]\ntype=deathmatch\nmap=\"needs.bsp\"\n", 1,
             "The map needs needs files"},
        };
        for (const auto& [game, preset, status, box] : rows) {
            TestApp app;
            app.desktop.answers = {MessageAnswer::No};  // to a map's missing files
            const std::string maps = app.makeFolder("maps");
            writeFile(maps + "/m.bsp", bspBytes("{}"));
            writeFile(maps + "/needs.bsp", bspBytes("{\"wad\" \"absent.wad\"}", {{"W"}}));
            app.writeIni(std::string("[GAMEDIR]\n") + game + "maps=" + maps + "\n" + preset);
            QCOMPARE(runPreset(app.context, "p"), status);
            const auto& boxes = app.desktop.messages;
            QVERIFY2(boxes.empty() ? !*box : boxes.size() == 1 && boxes[0].text.startsWith(box),
                     box);
            const auto& starts = app.games.starts;
            QCOMPARE(QString::fromStdString(starts.empty() ? "" : starts[0].commandLine),
                     status ? "" : "/g/hl.exe +deathmatch 1 +map m -a b");  // the tab a blank
        }
    }
};

QTEST_MAIN(ModesTest)
#include "modes_test.moc"
