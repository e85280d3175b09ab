#include "advanced_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const QString kVideoDefaults =
    " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0";
const QString kMiscNothing =
    " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0 +violence_ablood 0"
    " +violence_agibs 0 -skill  +fakelag 0 +fakeloss 0";

}  // namespace

class AdvancedGenerateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    AdvancedLauncher* w = nullptr;

    Ui::AdvancedLauncher& open() {
        app = std::make_unique<TestApp>();
        w = openAdvanced(*app);
        return w->ui();
    }

    // The generator's messages, each an error box with one OK button.
    void expectErrors(const QStringList& texts) const {
        QStringList shown;
        for (const auto& m : app->desktop.messages) {
            QCOMPARE(m.title, QString("Error!"));
            QCOMPARE(m.icon, MessageIcon::Critical);
            QCOMPARE(m.buttons, MessageButtons::Ok);
            shown << m.text;
        }
        QCOMPARE(shown, texts);
    }

    void onTab(QWidget* tab) { w->ui().SSTab1->setCurrentWidget(tab); }

private slots:
    void cleanup() { app.reset(); }

    void video_withoutResolutionAsksThenWritesTheLine() {
        auto& ui = open();
        click(ui.cmdGenerate);
        expectErrors({"Choose a resolution!"});
        QCOMPARE(ui.lblCommandLine->text(), kVideoDefaults + " -soft");
        click(ui.cmdGenerate);  // a second press replaces, never adds
        QCOMPARE(ui.lblCommandLine->text(), kVideoDefaults + " -soft");
    }

    void video_workedExampleThroughTheControls() {
        auto& ui = open();
        click(ui.chkPlShadows);
        click(ui.chkNoIntro);
        click(ui.optOpenGL);
        click(ui.optWinMode);
        choose(ui.lstResol, "800x600");
        click(ui.cmdGenerate);
        expectErrors({});
        QCOMPARE(ui.lblCommandLine->text(),
                 " +r_shadows 1 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -gl"
                 " -win -vid_config_y 800 -vid_config_x 600 -nointro");
    }

    void video_eachListedResolutionGivesItsFragment() {
        auto& ui = open();
        for (int row = 0; row < ui.lstResol->count(); ++row) {
            const QString text = ui.lstResol->item(row)->text();
            choose(ui.lstResol, text);
            click(ui.cmdGenerate);
            const QStringList size = text.split('x');
            QCOMPARE(ui.lblCommandLine->text(), kVideoDefaults + " -soft -vid_config_y " + size[0] +
                                                    " -vid_config_x " + size[1]);
        }
        expectErrors({});
    }

    void video_additionalTextOnlyWhileEnabled() {
        auto& ui = open();
        choose(ui.lstResol, "320x200");
        click(ui.chkConsole);
        click(ui.chkDev);
        click(ui.chkAdditional);
        QTest::keyClicks(ui.txtAdditional, "-zone 4096");
        click(ui.cmdGenerate);
        const QString base = kVideoDefaults + " -console -soft -vid_config_y 320 -vid_config_x 200";
        QCOMPARE(ui.lblCommandLine->text(), base + " -zone 4096 -dev");
        click(ui.chkAdditional);
        click(ui.cmdGenerate);
        QCOMPARE(ui.lblCommandLine->text(), base + " -dev");
    }

    // Each box and option button changes its own fragment of its own tab's line, and only that.
    void everyChoice_changesItsOwnFragment_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const char* rows[][3] = {
            {"chkPlShadows", " +r_shadows 0", " +r_shadows 1"},
            {"chkDecals", " +r_decals 0", " +r_decals 1"},
            {"chkMaxBrightness", " +r_fullbright 0", " +r_fullbright 1"},
            {"chkRSpeeds", " +r_speeds 0", " +r_speeds 1"},
            {"chkRefTex", " +r_mirroralpha 0", " +r_mirroralpha 1"},
            {"chkConsole", " -soft", " -console -soft"},
            {"optD3D", " -soft", " -d3d"},
            {"optOpenGL", " -soft", " -gl"},
            {"optWinMode", " -soft", " -soft -win"},
            {"optFullScrn", " -soft", " -soft -full"},
            {"chkNoIntro", " -soft", " -soft -nointro"},
            {"chkDev", " -soft", " -soft -dev"},
            {"chkCDAudio", " +bgmvolume 0", ""},
            {"chkHiQualitySound", " +hisound 0", " +hisound 1"},
            {"chkEAX", " +s_eax 0", " +s_eax 1"},
            {"chkA3D", " +s_a3d 0", " +s_a3d 1"},
            {"chkToggleSound", " +nosound 0", " +nosound 1"},
            {"chkAllowDownload", " +cl_allowdownload 0", " +cl_allowdownload 1"},
            {"chkUpload", " +cl_allowupload 0", " +cl_allowupload 1"},
            {"chkHIMod", " +cl_himodels 0", " +cl_himodels 1"},
            {"chkDelta", " +c_deltas 1", " +c_deltas 0"},
            {"chkSpecMode", " +spectator 0", " +spectator 1"},
            {"chkIPXOn", " -noipx 1", " -noipx 0"},
            {"chkTCPIPOn", " -noip 1", " -noip 0"},
            {"chkPreLoad", " -precache 0", " -precache 1"},
            {"chkDMOn", " -deathmatch 0", " -deathmatch 1"},
            {"chkCoop", " -coop 0", " -coop 1"},
            {"chkHBlood", " +violence_hblood 0", " +violence_hblood 1"},
            {"chkHGibs", " +violence_hgibs 0", " +violence_hgibs 1"},
            {"chkABlood", " +violence_ablood 0", " +violence_ablood 1"},
            {"chkAGibs", " +violence_agibs 0", " +violence_agibs 1"},
        };
        for (const auto& [control, from, to] : rows)
            QTest::newRow(control) << QString(control) << QString(from) << QString(to);
    }
    void everyChoice_changesItsOwnFragment() {
        QFETCH(QString, control);
        QFETCH(QString, from);
        QFETCH(QString, to);
        auto& ui = open();
        auto* choice = w->findChild<QAbstractButton*>(control);
        QVERIFY(choice);
        QWidget* tab = choice;
        while (ui.SSTab1->indexOf(tab) < 0) tab = tab->parentWidget();
        onTab(tab);
        auto* generate = tab->findChild<QPushButton*>();  // the tab's one Generate button
        const auto lines = [&] {
            QStringList out;
            for (QLabel* l : {ui.lblCommandLine, ui.lblSndCommandLine, ui.lblClientCommandLine,
                              ui.lblMiscCommandLine})
                out << l->text();
            return out;
        };
        click(generate);
        const QStringList before = lines();
        click(choice);
        click(generate);
        QStringList expected = before;
        for (QString& line : expected)
            if (line.count(from) == 1) line.replace(from, to);
        QCOMPARE(lines(), expected);
        QVERIFY(lines() != before);
    }

    void audio_emptyVolumesAskTwiceInOrder() {
        auto& ui = open();
        onTab(ui.tabAudio);
        click(ui.cmdSndGen);
        expectErrors({"Choose sound volume!", "Choose HEV suit volume!"});
        QCOMPARE(ui.lblSndCommandLine->text(),
                 QString(" +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume "
                         " +suitvolume "));
    }

    void audio_workedExampleWithVolumesSetByKeys() {
        auto& ui = open();
        onTab(ui.tabAudio);
        click(ui.chkCDAudio);
        for (int i = 0; i < 7; ++i) QTest::keyClick(ui.GameAudio, Qt::Key_Right);
        for (int i = 0; i < 3; ++i) QTest::keyClick(ui.HEVSuit, Qt::Key_Right);
        click(ui.optLoop);
        choose(ui.lstCDTrack, "5");
        click(ui.cmdSndGen);
        expectErrors({});
        QCOMPARE(ui.lblSndCommandLine->text(),
                 QString(" +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 7 +suitvolume 3"
                         " +cd loop 5"));
        click(ui.optPlayOnce);
        choose(ui.lstCDTrack, "18");
        click(ui.chkToggleSound);
        click(ui.cmdSndGen);
        QVERIFY(ui.lblSndCommandLine->text().endsWith(
            " +nosound 1 +volume 7 +suitvolume 3 +cd play 18"));
    }

    void client_withoutModelAsksAndLeavesBareFragments() {
        auto& ui = open();
        onTab(ui.tabClient);
        click(ui.cmdClientGenerate);
        expectErrors({"Please choose a model!"});
        QCOMPARE(ui.lblClientCommandLine->text(),
                 QString(" +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0 +c_deltas 1"
                         " +spectator 0 -noipx 1 -noip 1 -precache 0 +name  +fps_modem "
                         " -connect "));
    }

    void client_everyControlInItsPlace() {
        auto& ui = open();
        onTab(ui.tabClient);
        choose(ui.lstModel, "Gordon");
        click(ui.chkDelta);
        QTest::keyClicks(ui.txtName, "<b>Free</b> man");
        QTest::keyClicks(ui.txtMaxFRate, "72");
        QTest::keyClicks(ui.txtIP, "10.0.0.2:27015");
        click(ui.cmdClientGenerate);
        expectErrors({});
        QCOMPARE(ui.lblClientCommandLine->text(),
                 QString(" +model Gordon +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0"
                         " +c_deltas 0 +spectator 0 -noipx 1 -noip 1 -precache 0"
                         " +name <b>Free</b> man +fps_modem 72 -connect 10.0.0.2:27015"));
    }

    void misc_readsBoxesSkillTextAndSliderLabels() {
        auto& ui = open();
        onTab(ui.tabMisc);
        click(ui.cmdMiscGenerate);
        QCOMPARE(ui.lblMiscCommandLine->text(), kMiscNothing);
        click(ui.chkDMOn);
        click(ui.chkAGibs);
        QTest::keyClicks(ui.Skill, "hard");
        QTest::keyClick(ui.FakeLagSlider, Qt::Key_End);
        QTest::keyClick(ui.FakePacketSlider, Qt::Key_PageUp);
        click(ui.cmdMiscGenerate);
        QCOMPARE(ui.lblMiscCommandLine->text(),
                 QString(" -deathmatch 1 -coop 0 +violence_hblood 0 +violence_hgibs 0"
                         " +violence_ablood 0 +violence_agibs 1 -skill hard +fakelag 10"
                         " +fakeloss 5"));
        expectErrors({});
    }

    void fullLine_joinsInFixedOrderAndDoublesOnASecondPress() {
        auto& ui = open();
        onTab(ui.tabClient);
        choose(ui.lstModel, "Robo");
        click(ui.cmdClientGenerate);
        onTab(ui.tabMisc);
        click(ui.cmdMiscGenerate);
        onTab(ui.tabVideo);
        choose(ui.lstResol, "640x480");
        click(ui.cmdGenerate);
        const QString parts = ui.lblCommandLine->text() + ui.lblMiscCommandLine->text() +
                              ui.lblClientCommandLine->text();
        QVERIFY(parts.startsWith(kVideoDefaults));

        onTab(ui.tabRun);
        click(ui.cmdFullGen);
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram + parts);
        click(ui.cmdFullGen);
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram + parts + parts);
        click(ui.Command1);
        QCOMPARE(app->games.starts.size(), size_t(1));
        QCOMPARE(app->games.starts[0].commandLine, (kProgram + parts + parts).toStdString());
    }

    void run_beforeAnyGenerateStartsThePathAloneMinimized() {
        auto& ui = open();
        onTab(ui.tabRun);
        click(ui.Command1);
        QCOMPARE(app->games.starts.size(), size_t(1));
        const auto& start = app->games.starts[0];
        QCOMPARE(start.commandLine, kProgram.toStdString());
        QVERIFY(!start.workingFolder.has_value());
        QCOMPARE(start.state, WindowState::Minimized);
        expectErrors({});
    }

    void run_failureIsReportedAndTheWindowStays() {
        app = std::make_unique<TestApp>();
        w = openAdvanced(*app, "");
        auto& ui = w->ui();
        app->games.result = {false, "error", "No such file"};
        onTab(ui.tabRun);
        click(ui.Command1);
        QCOMPARE(app->games.starts.at(0).commandLine, std::string("error"));
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QVERIFY(m.text.contains("error") && m.text.contains("No such file"));
        QCOMPARE(m.icon, MessageIcon::Critical);
        TestApp::processDeletes();
        QVERIFY(app->windows.isLoaded("frmAdvanced") && w->isVisible());
        QCOMPARE(ui.lblFullCommandLine->text(), QString("error"));
        QVERIFY(!app->ended);
        click(ui.Command1);  // still usable
        QCOMPARE(app->games.starts.size(), size_t(2));
    }
};

QTEST_MAIN(AdvancedGenerateTest)
#include "advanced_generate_test.moc"
