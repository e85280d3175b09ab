#include "deathmatch/deathmatch_maker.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "map_bytes.h"
#include "window_harness.h"

using namespace skyloom;
using namespace skyloom::test;

class DeathmatchMakerTest : public WindowHarness {
    Q_OBJECT

    std::string maps, valve;

    // Opens the window anew over this settings file, by default that of a configured game.
    void open(std::string ini = "") {
        if (ini.empty())
            ini = "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/games/Half Life/hl.exe\r\nmaps=" +
                  maps + "\r\nvalve=" + valve;
        app->windows.unload("DM");
        TestApp::processDeletes();
        app->writeIni(ini + "\r\n");
        w = app->windows.show("DM");
    }
    std::string serverFile() const { return readFile(valve + "skyloom.cfg"); }
    QString frame() const { return ctl<QGroupBox>("Frame1")->title() + edit("SelMap")->text(); }
    void pickMap(const char* file) {
        list()->selectMap(file);
        click(ctl("cmdMapSel"));
    }

private slots:
    // Each test runs in its own program folder, which is also the current folder.
    void init() {
        app = std::make_unique<TestApp>();
        app->add<DeathmatchMaker>("DM");
        maps = app->makeFolder("valve/maps", {"crossfire.bsp", "Arena.BSP", "readme.txt"});
        valve = app->folder() + "/valve/";
        QDir::setCurrent(QString::fromStdString(app->folder()));
    }
    void cleanup() {
        QDir::setCurrent(qApp->applicationDirPath());
        app.reset();
    }

    // Controls, then the two writing buttons; going to and from the main window is e2e's.
    void window_checksThenWritesTheFileAndStartsTheServer() {
        valve = app->makeFolder(std::string(120, 'v')) + "/";
        open();
        // Ticked for a player who never chose: else the server has none of what is set here.
        for (QCheckBox* box : w->findChildren<QCheckBox*>())
            QCOMPARE(box->isChecked(), box->objectName() == "chkExec");
        QCOMPARE(check("mp_friendlyfire")->toolTip(),
                 "Teammates can hurt each other during team play");
        QCOMPARE(list()->fileNames(), QStringList({"Arena.BSP", "crossfire.bsp"}));
        for (const bool ticked : {true, false}) {
            QTest::keyClick(check("password"), Qt::Key_Space);
            QCOMPARE(edit("passwordvalue")->isEnabled(), ticked);
        }
        pickMap("Arena.BSP");
        QCOMPARE(frame(), "First map selection (Arena.BSP)Arena");
        doubleClickMap(1);
        QCOMPARE(frame(), "First map selection (crossfire.bsp)crossfire");
        pickMap("none.bsp");  // nothing highlighted: the chosen map stays
        QCOMPARE(frame(), "First map selection ()crossfire");
        click(ctl("cmdHelp"));
        expectMessage("type exec skyloom.cfg in the console.", "Help", MessageIcon::Information);
        edit("SelMap")->clear();
        edit("maxpingvalue")->setText(" ");
        click(ctl("Command1"));  // refused before anything is written or started
        expectMessage("Please specify the maximum ping allowed", "Max ping",
                      MessageIcon::Information);
        QVERIFY(!std::filesystem::exists(valve + "skyloom.cfg"));
        edit("maxpingvalue")->clear();
        writeFile(valve + "skyloom.cfg",
                  "sv_password \"old\"\r\nmaxplayers 9" + std::string(300, '#'));
        click(ctl("save"));
        QCOMPARE(serverFile(), serverConfigText({}));
        expectMessage("You're skyloom.cfg file has been saved in " + QString::fromStdString(valve),
                      "Please note", MessageIcon::Information);
        const QMap<QString, QString> renamed = {
            {"dl", "cl_allowdownload"}, {"ul", "cl_allowupload"}, {"falldamage", "mp_falldamage"}};
        for (QCheckBox* box :
             w->findChildren<QCheckBox*>(QRegularExpression("^(?!password|chkExec|showSingle)"))) {
            box->click();
            click(ctl("save"));
            QCOMPARE(QString::fromStdString(serverFile()).section(' ', 0, 0),
                     renamed.value(box->objectName(), box->objectName()));
            box->click();
        }
        click(check("password"));
        QTest::keyClicks(edit("passwordvalue"), "p4ss w0rd");  // one past its length
        edit("partyname")->setText("  Caf\xC3\xA9 crew; quit ");
        edit("maxplayersvalue")->clear();
        edit("sv_gravityvalue")->setText("-8.5");
        edit("maxspectatorsvalue")->setText("+2");
        edit("fraglimitvalue")->setText("25");
        edit("timelimitvalue")->setText("20");
        click(ctl("save"));
        const std::string typed =
            "mp_fraglimit 25\r\nmp_timelimit 20\r\nmaxplayers \r\nsv_gravity -8.5\r\n"
            "sv_maxspectators +2\r\nhostname \"  Caf\xC3\xA9 crew; quit \"\r\n";
        QCOMPARE(serverFile(), typed + "sv_password \"p4ss w0r\"\r\n");
        app->desktop.messages.clear();
        click(check("password"));
        click(ctl("Command1"));
        QCOMPARE(serverFile(), typed);
        expectMessage("Please select a map", "No map selected", MessageIcon::Exclamation);
        edit("maxplayersvalue")->setText("12");
        edit("SelMap")->clear();
        QTest::keyClicks(edit("SelMap"), "x +exec evil");
        click(ctl("Command1"));
        QVERIFY(std::exchange(app->desktop.messages, {}).at(0).title == "Map name" &&
                app->games.starts.empty());
        edit("SelMap")->setText("nosuchmap");
        app->games.result.output = "To game.log.";
        click(ctl("Command1"));
        const QString started =
            "/games/Half Life/hl.exe +deathmatch 1 -console +maxplayers 12 +exec skyloom.cfg +map ";
        QCOMPARE(
            ctl<QLabel>("startStatus")->accessibleDescription(),
            "Started: \"/games/Half Life/hl.exe\"" + started.mid(23) + "nosuchmap\nTo game.log.");
        QVERIFY(ctl<QLabel>("joinHelp")->text().contains("forwards UDP port 27015"));
        app->games.result = {false, "Permission denied"};
        click(ctl("Command1"));
        expectMessage("Reason: Permission denied", "Skyloom", MessageIcon::Critical);
        QCOMPARE(app->games.starts.size(), size_t(2));
        const auto& start = app->games.starts[1];
        QCOMPARE(QString::fromStdString(start.commandLine), started + "nosuchmap");
        QCOMPARE(start.program, "/games/Half Life/hl.exe");  // one argument, blank and all
        QVERIFY(start.workingFolder == "/games/Half Life" && start.state == WindowState::Maximized);
        QVERIFY(w->isVisible() && ctl("Command1")->isEnabled());
        // Running skyloom.cfg at start is kept for the next time.
        click(check("chkExec"));
        click(ctl("Command1"));
        QCOMPARE(QString::fromStdString(app->games.starts.back().commandLine),
                 QString(started).remove("+exec skyloom.cfg ") + "nosuchmap");
        app->desktop.messages.clear();
        // It opens with what the last save wrote; a line of the player's own stays.
        writeFile(valve + "skyloom.cfg",
                  "mp_teamplay 1\r\n" + serverFile() + "mp_friendlyfire 1\r\nmp_timelimit x");
        app->windows.unload("DM");
        TestApp::processDeletes();
        w = app->windows.show("DM");
        QVERIFY(!check("chkExec")->isChecked() &&
                app->readIni().find("runconfig=no") != std::string::npos);
        QCOMPARE(edit("partyname")->text() + edit("fraglimitvalue")->text() +
                     edit("timelimitvalue")->text() + edit("maxplayersvalue")->text(),
                 "  Caf\u00e9 crew; quit 252012");
        QVERIFY(check("mp_friendlyfire")->isChecked() && !check("password")->isChecked());
        click(ctl("save"));
        std::string twelve = typed;
        QCOMPARE(serverFile(), "mp_teamplay 1\r\nmp_friendlyfire 1\r\n" +
                                   twelve.replace(twelve.find("maxplayers "), 11, "maxplayers 12"));
        app->desktop.messages.clear();
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_Escape);  // leaves as the close box does
        TestApp::processDeletes();
        QVERIFY(app->ended && app->desktop.messages.empty());
    }

    // Numbers at 0, just inside and at their largest are saved; only a bad player count is refused.
    void numbersAtTheirEdges_andUnusableGameFolders_areRefusedOnlyWhereTheyMustBe() {
        open();
        edit("SelMap")->setText("nosuchmap");
        using S = ServerSettings;
        const std::tuple<const char*, std::string S::*, int> fields[] = {
            {"maxplayersvalue", &S::maxplayersvalue, 3},
            {"sv_gravityvalue", &S::sv_gravityvalue, 4},
            {"maxspectatorsvalue", &S::maxspectatorsvalue, 4},
            {"fraglimitvalue", &S::fraglimitvalue, 4},
            {"timelimitvalue", &S::timelimitvalue, 4},
            {"maxpingvalue", &S::maxpingvalue, 4}};
        const std::pair<QString, bool> numbers[] = {{"", false},    {"0", false},   {"000", false},
                                                    {"-1", false},  {"2.5", false}, {"1", true},
                                                    {"99999", true}};
        for (const auto& [name, field, largest] : fields)
            for (const auto& [typed, players] : numbers) {
                S s;
                s.*field = typed.left(largest).toStdString();
                edit(name)->clear();
                QTest::keyClicks(edit(name), typed);
                QCOMPARE(edit(name)->text(), typed.left(largest));
                const size_t starts = app->games.starts.size();
                click(ctl("Command1"));
                QCOMPARE(serverFile(), serverConfigText(s));
                if (field == &S::maxplayersvalue && !players) {
                    expectMessage("Please define the maximum player allowed", "Max players",
                                  MessageIcon::Information);
                    QCOMPARE(app->games.starts.size(), starts);
                } else {
                    QVERIFY(std::exchange(app->desktop.messages, {}).empty());
                    QCOMPARE(app->games.starts.back().commandLine,
                             "/games/Half Life/hl.exe +deathmatch 1 -console +maxplayers " +
                                 s.maxplayersvalue + " +exec skyloom.cfg +map nosuchmap");
                }
                edit(name)->setText(QString::fromStdString(S{}.*field));
            }
        // Unusable game folders give no maps, no file and one message.
        app->games.starts.clear();
        app->makeFolder("error", {"trap.bsp"});
        const QString unknown = "Skyloom does not know the game's valve folder";
        const QString failed =
            "skyloom.cfg could not be saved.\n\nFile: gone/valve/skyloom.cfg\nReason: "
            "No such file or directory";
        const std::pair<const char*, QString> rows[] = {
            {"", unknown},
            {"\r\nvalve=", unknown},
            {"\r\nmaps=/no/such/folder\r\nvalve=gone/valve/", failed}};
        for (const auto& [valveLine, text] : rows) {
            open("[GAMEDIR]\r\nprogram=/hl.exe" + std::string(valveLine));
            QVERIFY(list()->fileNames().isEmpty());
            QTest::keyClicks(edit("SelMap"), "crossfire");
            click(ctl("save"));
            expectMessage(text, "Skyloom",
                          text == failed ? MessageIcon::Critical : MessageIcon::Exclamation);
            QVERIFY(w->isVisible());
        }
        QVERIFY(!std::filesystem::exists("skyloom.cfg") && app->games.starts.empty() &&
                !std::filesystem::exists("error!skyloom.cfg"));
    }

    void saveAndLaunch_asksBeforeStartingAMapWithMissingFiles() {
        writeFile(maps + "/m\xe9tal.bsp", bspBytes("{\"wad\" \"gone.wad\"}", {{"T"}}));
        open();
        list()->selectMap("m\xe9tal.bsp");
        QTest::keyClick(list()->view(), Qt::Key_Return);
        QCOMPARE(edit("SelMap")->text(), "m\u00e9tal");
        app->desktop.answers = {MessageAnswer::No, MessageAnswer::Yes};
        for (int i = 0; i < 2; ++i) click(ctl("Command1"));
        for (const auto& asked : std::exchange(app->desktop.messages, {}))
            QCOMPARE(asked.title, "Missing files");  // its text: the main window's test
        QCOMPARE(app->games.starts.size(), size_t(1));
        QCOMPARE(app->games.starts[0].commandLine,
                 "/games/Half Life/hl.exe +deathmatch 1 -console +maxplayers 32 +exec skyloom.cfg "
                 "+map m\xe9tal");
        std::filesystem::remove(maps + "/m\xe9tal.bsp");  // Qt cannot name it to remove it
    }
};

QTEST_MAIN(DeathmatchMakerTest)
#include "deathmatch_maker_test.moc"
