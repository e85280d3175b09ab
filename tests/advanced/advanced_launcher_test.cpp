#include "advanced/advanced_launcher.h"

#include <QtTest>
#include <QtWidgets>

#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class AdvancedLauncherTest : public QObject {
    Q_OBJECT

    static inline const QString kProgram = "/games/Half Life/hl.exe";
    std::unique_ptr<TestApp> app;
    AdvancedLauncher* w = nullptr;

    // `via`: how the install starts the game, in the program's place.
    void open(std::vector<std::string> via = {}) {
        app = std::make_unique<TestApp>();
        app->games.via = std::move(via);
        app->add<AdvancedLauncher>("frmAdvanced");
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=" + kProgram.toStdString());
        w = qobject_cast<AdvancedLauncher*>(app->windows.show("frmAdvanced"));
    }
    template <class T = QWidget>
    T* ui(const QString& name) {
        return w->findChild<T*>(name);
    }
    QString text(const char* label) { return ui<QLabel>(label)->text(); }
    // Near the left edge: a box or option button takes clicks on its mark and caption only.
    void click(const QString& name) {
        QWidget* b = ui(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, {8, b->height() / 2});
    }
    // Presses the Generate buttons of the first four tabs and reads their lines.
    QStringList partialLines() {
        for (const char* b : {"cmdGenerate", "cmdSndGen", "cmdClientGenerate", "cmdMiscGenerate"})
            click(b);
        return {text("lblCommandLine"), text("lblSndCommandLine"), text("lblClientCommandLine"),
                text("lblMiscCommandLine")};
    }

private slots:
    void cleanup() { app.reset(); }

    // The line starts at the program; each Generate asks what is missing, in order (a second
    // Generate replacing its line is every choice's row).
    void load_thenGenerateAsksInOrder() {
        open();
        QCOMPARE(text("lblFullCommandLine"), '"' + kProgram + '"');
        partialLines();
        QStringList asked;
        for (const auto& m : app->desktop.messages)
            asked << m.title + (m.icon == MessageIcon::Critical ? " " : " ?") + m.text;
        QCOMPARE(asked,
                 QStringList({"Error! Choose a resolution!", "Error! Choose sound volume!",
                              "Error! Choose HEV suit volume!", "Error! Please choose a model!"}));
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_Escape);  // leaves as the close box does
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }

    void everyChoice_changesOnlyItsOwnFragment() {
        // A box without a third part flips its digit; three say the opposite of the game's value.
        const QString table =
            "chkPlShadows= +r_shadows 0|chkDecals= +r_decals 0|chkRSpeeds= +r_speeds 0|"
            "chkMaxBrightness= +r_fullbright 0|chkRefTex= +r_mirroralpha 0|"
            "chkConsole= -soft= -console -soft|optD3D= -soft= -d3d|optOpenGL= -soft= -gl|"
            "optWinMode= -soft= -soft -win|optFullScrn= -soft= -soft -full|"
            "chkNoIntro= -soft= -soft -nointro|chkDev= -soft= -soft -dev|"
            "chkCDAudio= +bgmvolume 0=|chkHiQualitySound= +hisound 0|chkEAX= +s_eax 0|"
            "chkA3D= +s_a3d 0|chkToggleSound= +nosound 0|chkAllowDownload= +cl_allowdownload 0|"
            "chkUpload= +cl_allowupload 0|chkHIMod= +cl_himodels 0|chkDelta= +c_deltas 1|"
            "chkSpecMode= +spectator 0|chkIPXOn= -noipx 1|chkTCPIPOn= -noip 1|"
            "chkPreLoad= -precache 0|chkDMOn= -deathmatch 0|chkCoop= -coop 0|"
            "chkHBlood= +violence_hblood 0|chkHGibs= +violence_hgibs 0|"
            "chkABlood= +violence_ablood 0|chkAGibs= +violence_agibs 0";
        for (const QString& row : table.split('|')) {
            const QStringList p = row.split('=');
            const QString to = p.value(2, p[1].chopped(1) + (p[1].endsWith('0') ? "1" : "0"));
            open();
            QStringList before = partialLines();
            QVERIFY2(before.join('|').count(p[1]) == 1 && ui(p[0]), qPrintable(row));
            click(p[0]);
            QVERIFY2(partialLines() == before.replaceInStrings(p[1], to), qPrintable(row));
        }
    }

    // The full line shows the route RUN GAME takes; the game gets the program as the settings hold
    // it and the options as words.
    void generate_readsEveryValueAndRunsTheFullLine() {
        open({"steam", "-applaunch", "70"});
        // Option buttons exclude each other only within their frame.
        for (const char* b : {"optD3D", "optOpenGL", "optWinMode", "optFullScrn", "optPlayOnce",
                              "optLoop", "chkAdditional"})
            click(b);
        QTest::keyClicks(ui("txtAdditional"), "-zone 4096");
        for (const char* list : {"lstResol", "lstCDTrack", "lstModel"})
            ui<QListWidget>(list)->setCurrentRow(4);
        QTest::keyClick(ui("GameAudio"), Qt::Key_PageUp);
        QTest::keyClick(ui("HEVSuit"), Qt::Key_Right);
        QTest::keyClicks(ui("txtName"), "<b>Free</b> man");
        QTest::keyClicks(ui("txtMaxFRate"), "72");
        QTest::keyClicks(ui("txtIP"), "10.0.0.2:27015");
        QTest::keyClicks(ui("Skill"), "hard");
        QTest::keyClick(ui("FakeLagSlider"), Qt::Key_End);
        QTest::keyClick(ui("FakePacketSlider"), Qt::Key_Right);
        const QStringList lines = partialLines();
        QVERIFY(lines[0].endsWith(" -gl -full -vid_config_y 800 -vid_config_x 600 -zone 4096"));
        QVERIFY(lines[1].endsWith(" +volume 5 +suitvolume 1 +cd loop 5"));
        QVERIFY(lines[2].startsWith(" +model Gordon "));
        QVERIFY(lines[2].endsWith(" +name <b>Free</b> man +fps_modem 72 -connect 10.0.0.2:27015"));
        QVERIFY(lines[3].endsWith(" -skill hard +fakelag 10 +fakeloss 1"));
        const QString joined = lines[0] + lines[1] + lines[3] + lines[2];
        click("cmdFullGen");
        const QString steam = "steam -applaunch 70";
        QCOMPARE(text("lblFullCommandLine"), steam + joined);
        click("cmdFullGen");
        click("Command1");
        QCOMPARE(app->games.starts.at(0).commandLine, (kProgram + joined + joined).toStdString());
        QVERIFY(app->games.starts[0].state == WindowState::Minimized &&
                app->games.starts[0].workingFolder == "/games/Half Life");
        QCOMPARE(ui<QLabel>("startStatus")->text(), "Started: " + steam + joined + joined + "\n");
        QVERIFY(app->desktop.messages.empty());
        // A screen reader hears a line where Tab reaches it, after its page's controls.
        QCOMPARE(ui("cmdMiscGenerate")->nextInFocusChain()->accessibleName(), lines[3]);
    }
};

QTEST_MAIN(AdvancedLauncherTest)
#include "advanced_launcher_test.moc"
