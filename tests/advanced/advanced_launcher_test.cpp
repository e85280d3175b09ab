#include "advanced/advanced_launcher.h"

#include <QtTest>
#include <QtWidgets>

#include "test_app.h"

// The choices are written with designated initializers naming only what a case sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace skyloom;
using namespace skyloom::test;

class AdvancedLauncherTest : public QObject {
    Q_OBJECT

    static inline const QString kProgram = "/games/Half Life/hl.exe";
    static inline const std::string kIni =
        "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/games/Half Life/hl.exe\r\n";
    std::unique_ptr<TestApp> app;
    AdvancedLauncher* w = nullptr;

    struct Controls {
        QWidget* window;
    CONTROL(QPushButton, Command1);
    CONTROL(QSlider, FakeLagSlider);
    CONTROL(QSlider, FakePacketSlider);
    CONTROL(QSlider, GameAudio);
    CONTROL(QSlider, HEVSuit);
    CONTROL(QComboBox, Skill);
    CONTROL(QCheckBox, chkAdditional);
    CONTROL(QPushButton, cmdClientGenerate);
    CONTROL(QPushButton, cmdFullGen);
    CONTROL(QPushButton, cmdGenerate);
    CONTROL(QPushButton, cmdMiscGenerate);
    CONTROL(QPushButton, cmdSndGen);
    CONTROL(QLabel, lblClientCommandLine);
    CONTROL(QLabel, lblCommandLine);
    CONTROL(QLabel, lblFullCommandLine);
    CONTROL(QLabel, lblGameSound);
    CONTROL(QLabel, lblHEVSuit);
    CONTROL(QLabel, lblMiscCommandLine);
    CONTROL(QLabel, lblSndCommandLine);
    CONTROL(QListWidget, lstCDTrack);
    CONTROL(QListWidget, lstModel);
    CONTROL(QListWidget, lstResol);
    CONTROL(QRadioButton, optD3D);
    CONTROL(QRadioButton, optFullScrn);
    CONTROL(QRadioButton, optLoop);
    CONTROL(QRadioButton, optOpenGL);
    CONTROL(QRadioButton, optPlayOnce);
    CONTROL(QRadioButton, optSoftware);
    CONTROL(QRadioButton, optWinMode);
    CONTROL(QLineEdit, txtAdditional);
    CONTROL(QLineEdit, txtIP);
    CONTROL(QLineEdit, txtMaxFRate);
    CONTROL(QLineEdit, txtName);
    };

    Controls open(const std::string& ini = kIni) {  // "": no settings file
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        w = qobject_cast<AdvancedLauncher*>(app->windows.show("frmAdvanced"));
        return {w};
    }
    // Near the left edge: a box or option button takes clicks on its mark and caption only.
    void click(QWidget* b) { QTest::mouseClick(b, Qt::LeftButton, {}, {8, b->height() / 2}); }
    // Presses the Generate buttons of the first four tabs and reads their lines.
    QStringList partialLines() {
        const Controls ui{w};
        for (auto* b : {ui.cmdGenerate, ui.cmdSndGen, ui.cmdClientGenerate, ui.cmdMiscGenerate})
            click(b);
        return {ui.lblCommandLine->text(), ui.lblSndCommandLine->text(),
                ui.lblClientCommandLine->text(), ui.lblMiscCommandLine->text()};
    }

private slots:
    void cleanup() { app.reset(); }

    // Captions, lists and mnemonics are the .ui file's; the line starts at the program.
    void load() {
        QCOMPARE(open("").lblFullCommandLine->text(), "error");  // no settings file
        const Controls ui = open();
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            QVERIFY2(b->isChecked() == (b == ui.optSoftware), qPrintable(b->objectName()));
        QVERIFY(ui.txtAdditional->isHidden() && app->desktop.messages.empty());
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram);
        QCOMPARE(ui.lblCommandLine->text(), QString());
    }

    // The keyboard moves every slider's label too: the full line's test sets them by keys.
    void sliders_showTheirValueOnMouseClicks() {
        const Controls ui = open();
        const QPoint rightEnd(ui.GameAudio->width() - 2, ui.GameAudio->height() / 3);
        QTest::mouseClick(ui.GameAudio, Qt::LeftButton, {}, rightEnd);         // a page towards it
        QTest::mouseClick(ui.HEVSuit, Qt::LeftButton, {}, {4, rightEnd.y()});  // on the handle
        QCOMPARE(ui.lblGameSound->text() + " " + ui.lblHEVSuit->text(), "5 0");
        QTest::mouseClick(ui.GameAudio, Qt::LeftButton, {}, rightEnd);
        QCOMPARE(ui.lblGameSound->text(), "10");
    }

    // Each choice changes its own fragment of its own tab's line, and nothing else.
    void everyChoice_changesOnlyItsOwnFragment_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
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
            const QString flipped = p[1].chopped(1) + (p[1].endsWith('0') ? "1" : "0");
            QTest::newRow(qPrintable(p[0])) << p[1] << (p.size() > 2 ? p[2] : flipped);
        }
    }
    void everyChoice_changesOnlyItsOwnFragment() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        open();
        const QStringList before = partialLines();
        QCOMPARE(before.join('|').count(from), 1);
        auto* choice = w->findChild<QAbstractButton*>(QTest::currentDataTag());
        QVERIFY(choice);
        click(choice);
        QCOMPARE(partialLines(), QStringList(before).replaceInStrings(from, to));
    }

    void generate_showsTheMessagesInOrderThenReplacesTheLine() {
        open();
        const auto line = [](const GeneratedLine& g) { return QString::fromStdString(g.line); };
        const QStringList bare = {line(VideoLine({.software = true})), line(AudioLine({})),
                                  line(ClientLine({})),
                                  line(MiscLine({.fakeLag = "0", .fakeLoss = "0"}))};
        QCOMPARE(partialLines(), bare);
        QCOMPARE(partialLines(), bare);
        QStringList asked;
        for (const auto& m : app->desktop.messages) {
            QVERIFY(m.title == "Error!" && m.icon == MessageIcon::Critical &&
                    m.buttons == MessageButtons::Ok);
            asked << m.text;
        }
        const QStringList once = {"Choose a resolution!", "Choose sound volume!",
                                  "Choose HEV suit volume!", "Please choose a model!"};
        QCOMPARE(asked, once + once);
    }

    void generate_readsEveryValueAndRunsTheFullLine() {
        const Controls ui = open();
        // Option buttons exclude each other only within their frame.
        for (QWidget* b : QList<QWidget*>{ui.optD3D, ui.optOpenGL, ui.optWinMode, ui.optFullScrn,
                                          ui.optPlayOnce, ui.optLoop, ui.chkAdditional})
            click(b);
        QTest::keyClicks(ui.txtAdditional, "-zone 4096");
        ui.lstResol->setCurrentRow(4);
        QTest::keyClick(ui.GameAudio, Qt::Key_PageUp);
        QTest::keyClick(ui.HEVSuit, Qt::Key_Right);
        ui.lstCDTrack->setCurrentRow(4);
        ui.lstModel->setCurrentRow(4);
        QTest::keyClicks(ui.txtName, "<b>Free</b> man");
        QTest::keyClicks(ui.txtMaxFRate, "72");
        QTest::keyClicks(ui.txtIP, "10.0.0.2:27015");
        QTest::keyClicks(ui.Skill, "hard");
        QTest::keyClick(ui.FakeLagSlider, Qt::Key_End);
        QTest::keyClick(ui.FakePacketSlider, Qt::Key_Right);
        const QStringList lines = partialLines();
        QVERIFY(lines[0].endsWith(" -gl -full -vid_config_y 800 -vid_config_x 600 -zone 4096"));
        QVERIFY(lines[1].endsWith(" +volume 5 +suitvolume 1 +cd loop 5"));
        QVERIFY(lines[2].startsWith(" +model Gordon "));
        QVERIFY(lines[2].endsWith(" +name <b>Free</b> man +fps_modem 72 -connect 10.0.0.2:27015"));
        QVERIFY(lines[3].endsWith(" -skill hard +fakelag 10 +fakeloss 1"));
        const QString joined = lines[0] + lines[1] + lines[3] + lines[2];
        click(ui.cmdFullGen);
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram + joined);
        click(ui.cmdFullGen);
        click(ui.Command1);
        QCOMPARE(app->games.starts.at(0).commandLine, (kProgram + joined + joined).toStdString());
        QVERIFY(app->desktop.messages.empty());

        // A screen reader hears each line where Tab reaches it, after its page's controls.
        for (QPushButton* last : {ui.cmdGenerate, ui.cmdSndGen, ui.cmdClientGenerate,
                                  ui.cmdMiscGenerate, ui.Command1}) {
            auto* area = qobject_cast<QScrollArea*>(last->nextInFocusChain());
            QVERIFY2(area && area->widget()->findChild<QLabel*>(), qPrintable(last->objectName()));
            QCOMPARE(area->accessibleName(), area->widget()->findChild<QLabel*>()->text());
        }

        click(ui.chkAdditional);
        QVERIFY(ui.txtAdditional->isHidden());
        click(ui.chkAdditional);
        QVERIFY(!ui.txtAdditional->isHidden() && ui.txtAdditional->text() == "-zone 4096");
    }

    void run_startsThePathAloneMinimizedAndAFailureKeepsTheWindow() {
        const Controls ui = open();
        app->games.result = {false, kProgram.toStdString(), "No such file"};
        click(ui.Command1);
        QCOMPARE(app->games.starts.size(), size_t(1));
        const auto& [line, program, folder, state] = app->games.starts[0];
        QVERIFY(line == kProgram.toStdString() && program == line && !folder &&
                state == WindowState::Minimized);
        const auto& shown = app->desktop.messages;
        QVERIFY(shown.size() == 1 && shown[0].text.contains(kProgram + "\nReason: No such file"));
        TestApp::processDeletes();
        QVERIFY(app->windows.isLoaded("frmAdvanced") && w->isVisible() && !app->ended);
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram);
    }
};

QTEST_MAIN(AdvancedLauncherTest)
#include "advanced_launcher_test.moc"
