#include <filesystem>

#include "deathmatch_test_app.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const char kDefaultFile[] =
    "mp_fraglimit 0\r\n"
    "maxplayers 32\r\n"
    "sv_gravity 800\r\n"
    "sv_maxspectators 0\r\n"
    "hostname My party - Skyloom\r\n";

void expectMessage(const FakeDesktop::Message& m, const QString& text, const QString& title,
                   MessageIcon icon) {
    QCOMPARE(m.text, text);
    QCOMPARE(m.title, title);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.icon, icon);
}

}  // namespace

class DeathmatchMakerSaveTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeathmatchApp> dm;

    Ui::DeathmatchMaker& open(const std::string& extraIni = {}) {
        dm = std::make_unique<DeathmatchApp>();
        return dm->open(dm->configuredIni(extraIni))->ui();
    }

    // The program's current folder holds no stray server file.
    static bool strayFileWritten() {
        return std::filesystem::exists("error!skyloom.cfg") ||
               std::filesystem::exists("skyloom.cfg");
    }

private slots:
    void cleanup() { dm.reset(); }

    void check_stopsBothButtonsWithItsMessage_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("partyname");
        QTest::addColumn<bool>("password");
        QTest::addColumn<QString>("maxping");
        QTest::addColumn<QString>("maxplayers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("save, empty party") << "save"
                                           << "" << true << "500"
                                           << "32"
                                           << "You must specify your party name"
                                           << "Skyloom";
        QTest::newRow("launch, password before blank party")
            << "Command1"
            << " " << true << "500"
            << "32"
            << "Please type your password or uncheck the password case"
            << "Error !";
        QTest::newRow("save, blank party") << "save"
                                           << " " << false << " "
                                           << " "
                                           << "You MUST type a party name"
                                           << "Party name";
        QTest::newRow("launch, blank ping") << "Command1"
                                            << "Party" << false << " "
                                            << " "
                                            << "Please specify the maximum ping allowed"
                                            << "Max ping";
        QTest::newRow("save, blank players") << "save"
                                             << "Party" << false << ""
                                             << " "
                                             << "Please define the maximum player allowed"
                                             << "Max players";
    }
    void check_stopsBothButtonsWithItsMessage() {
        QFETCH(QString, button);
        QFETCH(QString, partyname);
        QFETCH(bool, password);
        QFETCH(QString, maxping);
        QFETCH(QString, maxplayers);
        QFETCH(QString, text);
        QFETCH(QString, title);
        auto& ui = open();
        ui.partyname->setText(partyname);
        ui.password->setChecked(password);
        ui.maxpingvalue->setText(maxping);
        ui.maxplayersvalue->setText(maxplayers);
        ui.SelMap->setText("crossfire");
        QTest::mouseClick(button == "save" ? ui.save : ui.Command1, Qt::LeftButton);

        QCOMPARE(dm->messages().size(), size_t(1));
        expectMessage(dm->messages()[0], text, title, MessageIcon::Information);
        QVERIFY(!std::filesystem::exists(dm->valve + "skyloom.cfg"));
        QVERIFY(dm->app->games.starts.empty());
    }

    void save_writesFileAndSaysWhere() {
        auto& ui = open();
        QTest::mouseClick(ui.save, Qt::LeftButton);
        QCOMPARE(dm->serverFile(), std::string(kDefaultFile));
        QCOMPARE(dm->messages().size(), size_t(1));
        expectMessage(
            dm->messages()[0],
            "You're skyloom.cfg file has been saved in " + QString::fromStdString(dm->valve),
            "Please note", MessageIcon::Information);
        QVERIFY(dm->app->games.starts.empty());
    }

    void save_replacesFileWithWhatTheControlsHold() {
        auto& ui = open();
        writeFile(dm->valve + "skyloom.cfg", "exec old.cfg\r\nsv_cheats 1\r\nlonger than new\r\n");
        QTest::mouseClick(ui.save, Qt::LeftButton);
        QCOMPARE(dm->serverFile(), std::string(kDefaultFile));

        QTest::mouseClick(ui.dl, Qt::LeftButton);
        QTest::mouseClick(ui.falldamage, Qt::LeftButton);
        QTest::mouseClick(ui.password, Qt::LeftButton);
        QTest::keyClicks(ui.passwordvalue, "p4ss w");
        ui.partyname->setText(QString::fromUtf8("  Caf\xC3\xA9 \"crew\" "));
        ui.maxplayersvalue->clear();
        ui.timelimitvalue->setText("15");
        ui.maxpingvalue->clear();
        QTest::mouseClick(ui.save, Qt::LeftButton);
        QTest::mouseClick(ui.save, Qt::LeftButton);  // twice: still one copy
        QCOMPARE(dm->serverFile(), std::string("cl_allowdownload 1\r\n"
                                               "mp_falldamage 0\r\n"
                                               "mp_fraglimit 0\r\n"
                                               "maxplayers \r\n"
                                               "sv_gravity 800\r\n"
                                               "sv_maxspectators 0\r\n"
                                               "hostname   Caf\xC3\xA9 \"crew\" \r\n"
                                               "sv_password p4ss w\r\n"));
        QCOMPARE(dm->messages().size(), size_t(3));

        QTest::mouseClick(ui.password, Qt::LeftButton);  // cleared: the kept text is ignored
        QTest::mouseClick(ui.save, Qt::LeftButton);
        QVERIFY(dm->serverFile().find("sv_password") == std::string::npos);
    }

    void save_showsFolderAsReadForTheMessage() {
        // The folder is read twice: cut to 99 characters for the message, to 199 for the file.
        dm = std::make_unique<DeathmatchApp>();
        dm->valve = dm->app->makeFolder(std::string(120, 'v')) + "/";
        auto& ui = dm->open(dm->configuredIni())->ui();
        QTest::mouseClick(ui.save, Qt::LeftButton);
        QCOMPARE(dm->serverFile(), std::string(kDefaultFile));
        QCOMPARE(dm->messages().size(), size_t(1));
        QCOMPARE(dm->messages()[0].text, "You're skyloom.cfg file has been saved in " +
                                             QString::fromStdString(dm->valve.substr(0, 99)));
    }

    void command1_writesFileThenStartsServer() {
        auto& ui = open();
        QTest::mouseClick(ui.mp_weaponstay, Qt::LeftButton);
        ui.maps->selectFileName("crossfire.bsp");
        QTest::mouseClick(ui.cmdMapSel, Qt::LeftButton);
        QTest::mouseClick(ui.Command1, Qt::LeftButton);

        QCOMPARE(dm->serverFile(), "mp_weaponstay 1\r\n" + std::string(kDefaultFile));
        QCOMPARE(dm->app->games.starts.size(), size_t(1));
        const auto& start = dm->app->games.starts[0];
        QCOMPARE(start.commandLine, dm->program + " +deathmatch 1 -console +map crossfire");
        QVERIFY(!start.workingFolder.has_value());
        QCOMPARE(start.state, WindowState::Maximized);
        QVERIFY(dm->messages().empty());
        QVERIFY(dm->app->windows.find("DM")->isVisible());
    }

    void command1_takesTypedMapAsIs() {
        auto& ui = open();
        ui.SelMap->setText("no such map");
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QCOMPARE(dm->app->games.starts.size(), size_t(1));
        QCOMPARE(dm->app->games.starts[0].commandLine,
                 dm->program + " +deathmatch 1 -console +map no such map");
    }

    void command1_withoutMap_writesFileButStartsNothing() {
        auto& ui = open();
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QCOMPARE(dm->serverFile(), std::string(kDefaultFile));
        QCOMPARE(dm->messages().size(), size_t(1));
        expectMessage(dm->messages()[0], "Please select a map", "No map selected",
                      MessageIcon::Exclamation);
        QVERIFY(dm->app->games.starts.empty());
    }

    void failedStart_isReportedAndWindowStays() {
        dm = std::make_unique<DeathmatchApp>();
        // No program key: the line begins with the missing-value text.
        auto& ui = dm->open("[GAMEDIR]\r\nvalve=" + dm->valve + "\r\n")->ui();
        dm->app->games.result = {false, "error!", "No such file or directory"};
        ui.SelMap->setText("crossfire");
        QTest::mouseClick(ui.Command1, Qt::LeftButton);

        QCOMPARE(dm->app->games.starts.size(), size_t(1));
        QCOMPARE(dm->app->games.starts[0].commandLine,
                 std::string("error! +deathmatch 1 -console +map crossfire"));
        QCOMPARE(dm->messages().size(), size_t(1));
        const auto& m = dm->messages()[0];
        QVERIFY(m.text.contains("error!") && m.text.contains("No such file or directory"));
        QCOMPARE(m.icon, MessageIcon::Critical);
        QVERIFY(dm->app->windows.find("DM")->isVisible());
        QVERIFY(ui.Command1->isEnabled());
    }

    void noValveFolder_writesNothingAndSaysSo_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("launch");
        QTest::newRow("save, no key") << "[GAMEDIR]\r\nprogram=/hl.exe\r\n" << false;
        QTest::newRow("launch, no key") << "[GAMEDIR]\r\nprogram=/hl.exe\r\n" << true;
        QTest::newRow("launch, empty value") << "[GAMEDIR]\r\nvalve=\r\n" << true;
    }
    void noValveFolder_writesNothingAndSaysSo() {
        QFETCH(QString, ini);
        QFETCH(bool, launch);
        dm = std::make_unique<DeathmatchApp>();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dm->app->folder()));
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
        auto& ui = dm->open(ini.toStdString())->ui();
        ui.SelMap->setText("crossfire");
        QTest::mouseClick(launch ? ui.Command1 : ui.save, Qt::LeftButton);

        QVERIFY(!strayFileWritten());
        QCOMPARE(dm->messages().size(), size_t(1));
        const auto& m = dm->messages()[0];
        QVERIFY2(m.text.contains("not configured") && m.text.contains("game folder is unknown"),
                 qPrintable(m.text));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QVERIFY(dm->app->games.starts.empty());
        QVERIFY(dm->app->windows.find("DM")->isVisible());
    }

    void unwritableFile_namesPathAndReason_data() {
        QTest::addColumn<bool>("launch");
        QTest::newRow("save") << false;
        QTest::newRow("launch") << true;
    }
    void unwritableFile_namesPathAndReason() {
        QFETCH(bool, launch);
        dm = std::make_unique<DeathmatchApp>();
        dm->valve = dm->app->folder() + "/gone/valve/";
        auto& ui = dm->open(dm->configuredIni())->ui();
        ui.SelMap->setText("crossfire");
        QTest::mouseClick(launch ? ui.Command1 : ui.save, Qt::LeftButton);

        QCOMPARE(dm->messages().size(), size_t(1));  // no success message after it
        const auto& m = dm->messages()[0];
        QVERIFY2(m.text.contains(QString::fromStdString(dm->valve + "skyloom.cfg")) &&
                     m.text.contains("No such file or directory"),
                 qPrintable(m.text));
        QCOMPARE(m.icon, MessageIcon::Critical);
        QVERIFY(dm->app->games.starts.empty());
        QVERIFY(dm->app->windows.find("DM")->isVisible());
    }
};

QTEST_MAIN(DeathmatchMakerSaveTest)
#include "deathmatch_maker_save_test.moc"
