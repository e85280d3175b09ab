#include <QScrollArea>
#include <QScrollBar>

#include "advanced_window.h"
#include "launcher/main_window.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

QStringList itemsOf(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

QString captionOf(const QWidget* w) {
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return QStringLiteral("?");
}

}  // namespace

class AdvancedLauncherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    AdvancedLauncher* open() {
        app = std::make_unique<TestApp>();
        return openAdvanced(*app);
    }

private slots:
    void cleanup() { app.reset(); }

    void load_fillsListsAndLabelsAndSelectsSoftware() {
        auto* w = open();
        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("Advanced HL Option Launcher"));
        QStringList tabs;
        for (int i = 0; i < ui.SSTab1->count(); ++i) tabs << ui.SSTab1->tabText(i);
        QCOMPARE(tabs, QStringList({"Video", "Audio", "Client", "Misc.", "Run game"}));
        QCOMPARE(ui.SSTab1->currentIndex(), 0);

        QCOMPARE(itemsOf(ui.lstResol),
                 QStringList({"320x200", "400x300", "512x384", "640x480", "800x600", "1024x768"}));
        QStringList tracks;
        for (int t = 1; t <= 18; ++t) tracks << QString::number(t);
        QCOMPARE(itemsOf(ui.lstCDTrack), tracks);
        QCOMPARE(itemsOf(ui.lstModel), QStringList({"Barney", "Scientist", "Skeleton", "Helmet",
                                                    "Gordon", "Gina", "Cannibal", "Robo"}));
        for (QListWidget* list : {ui.lstResol, ui.lstCDTrack, ui.lstModel})
            QVERIFY2(list->selectedItems().isEmpty(), qPrintable(list->objectName()));
        QCOMPARE(ui.Skill->count(), 3);
        QCOMPARE(ui.Skill->itemText(0) + ui.Skill->itemText(1) + ui.Skill->itemText(2),
                 QString("123"));
        QCOMPARE(ui.Skill->currentText(), QString());
        QVERIFY(ui.Skill->isEditable());

        QVERIFY(ui.optSoftware->isChecked());
        for (QRadioButton* o : {ui.optD3D, ui.optOpenGL, ui.optFullScrn, ui.optWinMode,
                                ui.optNoTrack, ui.optLoop, ui.optPlayOnce})
            QVERIFY2(!o->isChecked(), qPrintable(o->objectName()));
        for (QCheckBox* box : w->findChildren<QCheckBox*>())
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));

        QCOMPARE(ui.lblFakeLag->text(), QString("0"));
        QCOMPARE(ui.lblFakePacketLoss->text(), QString("0"));
        for (QLabel* empty : {ui.lblGameSound, ui.lblHEVSuit, ui.lblCommandLine,
                              ui.lblSndCommandLine, ui.lblClientCommandLine, ui.lblMiscCommandLine})
            QVERIFY2(empty->text().isEmpty(), qPrintable(empty->objectName()));
        QCOMPARE(ui.lblFullCommandLine->text(), kProgram);
        QVERIFY(ui.txtAdditional->isHidden());
        for (QLineEdit* box : {ui.txtAdditional, ui.txtIP, ui.txtName, ui.txtMaxFRate})
            QVERIFY(box->text().isEmpty());
        for (QSlider* s : {ui.GameAudio, ui.HEVSuit, ui.FakeLagSlider, ui.FakePacketSlider}) {
            QCOMPARE(s->orientation(), Qt::Horizontal);
            QCOMPARE(s->minimum(), 0);
            QCOMPARE(s->maximum(), 10);
            QCOMPARE(s->singleStep(), 1);
            QCOMPARE(s->pageStep(), 5);
            QCOMPARE(s->value(), 0);
        }
        QVERIFY(app->desktop.messages.empty());
    }

    void load_withoutProgramShowsError_data() {
        QTest::addColumn<QString>("ini");
        QTest::newRow("no file") << "";
        QTest::newRow("no key") << "[GAMEDIR]\nmaps=/games/maps\n";
    }
    void load_withoutProgramShowsError() {
        QFETCH(QString, ini);
        app = std::make_unique<TestApp>();
        auto* w = openAdvanced(*app, ini.toStdString());
        QCOMPARE(w->ui().lblFullCommandLine->text(), QString("error"));
        QVERIFY(app->desktop.messages.empty());
    }

    void controls_carryTheirCaptions() {
        auto* w = open();
        const char* captions[][2] = {{"Frame1", "Resolution"},
                                     {"Frame2", "Options"},
                                     {"Label2", "Select options:"},
                                     {"chkPlShadows", "Player shadows"},
                                     {"chkDecals", "Enable decals"},
                                     {"chkMaxBrightness", "Max. brightness"},
                                     {"chkRSpeeds", "R_speeds on"},
                                     {"chkRefTex", "Reflective textures"},
                                     {"chkConsole", "Enable console"},
                                     {"chkDev", "Developer mode"},
                                     {"chkNoIntro", "No intro"},
                                     {"Frame3", "Video options command line"},
                                     {"cmdGenerate", "&Generate"},
                                     {"Frame4", "Video modes"},
                                     {"Label1", "Select video mode:"},
                                     {"optSoftware", "Software"},
                                     {"optD3D", "Direct3D"},
                                     {"optOpenGL", "OpenGL"},
                                     {"Frame5", "Additional settings"},
                                     {"chkAdditional", "Enable"},
                                     {"Frame6", "Window settings"},
                                     {"optFullScrn", "Full screen mode"},
                                     {"optWinMode", "Windowed mode"},
                                     {"Frame7", "Options"},
                                     {"Label3", "Select options:"},
                                     {"chkToggleSound", "No sound"},
                                     {"chkA3D", "Enable A3D sound"},
                                     {"chkEAX", "Enable EAX sound"},
                                     {"chkHiQualitySound", "HI-Quality sound"},
                                     {"chkCDAudio", "CD Audio enabled"},
                                     {"Frame8", "Game sound volume"},
                                     {"Frame9", "HEV Suit volume"},
                                     {"Frame10", "Play CD Track"},
                                     {"optNoTrack", "No Track"},
                                     {"optLoop", "Loop"},
                                     {"optPlayOnce", "Play once"},
                                     {"Frame11", "Audio command line"},
                                     {"cmdSndGen", "&Generate"},
                                     {"Frame18", "Options"},
                                     {"chkPreLoad", "Preloading of files"},
                                     {"chkTCPIPOn", "Enable TCP/IP"},
                                     {"chkIPXOn", "Enable IPX"},
                                     {"chkSpecMode", "Spectator mode"},
                                     {"chkDelta", "Delta compression off"},
                                     {"chkHIMod", "Hi-quality models"},
                                     {"chkUpload", "Allow upload"},
                                     {"chkAllowDownload", "Allow download"},
                                     {"Frame19", "Connect IP"},
                                     {"Frame20", "Player model"},
                                     {"Frame21", "Player name"},
                                     {"Label8", "Type in your nickname:"},
                                     {"Frame22", "Max. framerate"},
                                     {"Label9", "Set max:"},
                                     {"Frame23", "Command line"},
                                     {"cmdClientGenerate", "&Generate"},
                                     {"Frame16", "Misc. Command line"},
                                     {"cmdMiscGenerate", "&Generate"},
                                     {"Frame14", "Skill level"},
                                     {"Label5", "Choose skill level:"},
                                     {"Frame12", "Options"},
                                     {"chkDMOn", "Deathmatch on"},
                                     {"chkCoop", "Cooperative mode"},
                                     {"chkHBlood", "Human blood on"},
                                     {"chkHGibs", "Human gibs on"},
                                     {"chkABlood", "Alien blood on"},
                                     {"chkAGibs", "Alien gibs on"},
                                     {"Frame15", "Fake packet loss"},
                                     {"Label6", "Choose amount of fake packet loss:"},
                                     {"Frame13", "Fake lag"},
                                     {"Label4", "Choose amount of fake lag:"},
                                     {"Frame17", "Full command line"},
                                     {"cmdFullGen", "&Generate"},
                                     {"Frame24", "Run"},
                                     {"Command1", "R&UN GAME"}};
        for (const auto& [name, caption] : captions) {
            auto* control = w->findChild<QWidget*>(name);
            QVERIFY2(control, name);
            QCOMPARE(captionOf(control), QString(caption));
        }
        QCOMPARE(w->ui().mnuFile->title(), QString("&File"));
        QCOMPARE(w->ui().mnuFileitmSkyloom->text(), QString("&Skyloom"));
    }

    void optionButtons_excludeEachOtherOnlyWithinTheirFrame() {
        auto& ui = open()->ui();
        click(ui.optOpenGL);
        click(ui.optWinMode);
        click(ui.optLoop);
        QVERIFY(!ui.optSoftware->isChecked() && ui.optOpenGL->isChecked());
        QVERIFY(ui.optWinMode->isChecked() && ui.optLoop->isChecked());
        click(ui.optFullScrn);
        click(ui.optPlayOnce);
        click(ui.optD3D);
        QVERIFY(!ui.optWinMode->isChecked() && ui.optFullScrn->isChecked());
        QVERIFY(!ui.optLoop->isChecked() && ui.optPlayOnce->isChecked());
        QVERIFY(!ui.optOpenGL->isChecked() && ui.optD3D->isChecked());
        click(ui.optNoTrack);
        QVERIFY(!ui.optPlayOnce->isChecked() && ui.optFullScrn->isChecked());
    }

    void sliders_writeTheirValueOnMouseMoves() {
        auto& ui = open()->ui();
        const auto rightEnd = [](QSlider* s) {
            return QPoint(s->width() - 2, handleCentre(s).y());
        };
        QTest::mouseClick(ui.GameAudio, Qt::LeftButton, {}, rightEnd(ui.GameAudio));
        QCOMPARE(ui.lblGameSound->text(), QString("5"));  // a page towards the click
        QTest::mouseClick(ui.GameAudio, Qt::LeftButton, {}, rightEnd(ui.GameAudio));
        QCOMPARE(ui.lblGameSound->text(), QString("10"));

        QTest::mousePress(ui.FakeLagSlider, Qt::LeftButton, {}, handleCentre(ui.FakeLagSlider));
        QTest::mouseMove(ui.FakeLagSlider, rightEnd(ui.FakeLagSlider));
        QTest::mouseRelease(ui.FakeLagSlider, Qt::LeftButton, {}, rightEnd(ui.FakeLagSlider));
        QCOMPARE(ui.lblFakeLag->text(), QString("10"));

        // A click that changes nothing still shows the HEV suit's volume.
        QTest::mouseClick(ui.HEVSuit, Qt::LeftButton, {}, handleCentre(ui.HEVSuit));
        QCOMPARE(ui.HEVSuit->value(), 0);
        QCOMPARE(ui.lblHEVSuit->text(), QString("0"));
    }

    void sliders_followTheKeyboardTheHevSuitsIncluded() {
        auto& ui = open()->ui();
        for (auto [slider, label] :
             {std::pair{ui.GameAudio, ui.lblGameSound}, std::pair{ui.HEVSuit, ui.lblHEVSuit},
              std::pair{ui.FakeLagSlider, ui.lblFakeLag},
              std::pair{ui.FakePacketSlider, ui.lblFakePacketLoss}}) {
            QTest::keyClick(slider, Qt::Key_Right);
            QCOMPARE(label->text(), QString("1"));
            QTest::keyClick(slider, Qt::Key_End);
            QCOMPARE(label->text(), QString("10"));
            QTest::keyClick(slider, Qt::Key_PageDown);
            QCOMPARE(label->text(), QString("5"));
            QTest::keyClick(slider, Qt::Key_Left);
            QCOMPARE(label->text(), QString("4"));
        }
    }

    void chkAdditional_showsAndHidesTheBoxKeepingItsText() {
        auto& ui = open()->ui();
        click(ui.chkAdditional);
        QVERIFY(ui.txtAdditional->isVisible());
        QTest::keyClicks(ui.txtAdditional, "-zone 4096");
        click(ui.chkAdditional);
        QVERIFY(ui.txtAdditional->isHidden());
        click(ui.chkAdditional);
        QVERIFY(ui.txtAdditional->isVisible());
        QCOMPARE(ui.txtAdditional->text(), QString("-zone 4096"));
    }

    void commandLines_areSelectablePlainTextThatScrolls() {
        auto* w = open();
        auto& ui = w->ui();
        for (QLabel* line : {ui.lblCommandLine, ui.lblSndCommandLine, ui.lblClientCommandLine,
                             ui.lblMiscCommandLine, ui.lblFullCommandLine}) {
            QVERIFY(line->textInteractionFlags() & Qt::TextSelectableByMouse);
            QCOMPARE(line->textFormat(), Qt::PlainText);  // a typed "<b>" stays as typed
            QVERIFY(!line->wordWrap());
        }
        ui.SSTab1->setCurrentWidget(ui.tabMisc);
        click(ui.cmdMiscGenerate);
        ui.SSTab1->setCurrentWidget(ui.tabRun);
        for (int i = 0; i < 4; ++i) click(ui.cmdFullGen);
        QCoreApplication::processEvents();  // the scroll area lays out on the next turn
        auto* area = w->findChild<QScrollArea*>("lblFullCommandLineScroll");
        QVERIFY(area);
        const int textWidth =
            ui.lblFullCommandLine->fontMetrics().horizontalAdvance(ui.lblFullCommandLine->text());
        QVERIFY(textWidth > area->viewport()->width());
        QVERIFY(ui.lblFullCommandLine->width() >= textWidth);
        QCOMPARE(area->horizontalScrollBar()->maximum(),
                 ui.lblFullCommandLine->parentWidget()->width() - area->viewport()->width());
        QVERIFY(area->horizontalScrollBar()->maximum() > 0);
    }

    void mnemonics_pressOnlyTheShownTabsButtons() {
        auto* w = open();
        auto& ui = w->ui();
        activate(w);
        const auto pressed = [&] {
            QStringList down;
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->isDown()) down << b->objectName();
            return down;
        };
        // Five buttons share "&Generate": only the one on the shown tab takes Alt+G.
        ui.SSTab1->setCurrentWidget(ui.tabMisc);
        QTest::keyClick(w, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(pressed(), QStringList{"cmdMiscGenerate"});
        ui.SSTab1->setCurrentWidget(ui.tabRun);
        QTest::keyClick(w, Qt::Key_U, Qt::AltModifier);
        QVERIFY(pressed().contains("Command1"));
    }

    void inputs_haveAccessibleNames() {
        auto& ui = open()->ui();
        QCOMPARE(ui.Label8->buddy(), static_cast<QWidget*>(ui.txtName));
        QCOMPARE(ui.Label9->buddy(), static_cast<QWidget*>(ui.txtMaxFRate));
        QCOMPARE(ui.Label5->buddy(), static_cast<QWidget*>(ui.Skill));
        QCOMPARE(ui.Label4->buddy(), static_cast<QWidget*>(ui.FakeLagSlider));
        QCOMPARE(ui.Label6->buddy(), static_cast<QWidget*>(ui.FakePacketSlider));
        for (QWidget* c :
             std::initializer_list<QWidget*>{ui.lstResol, ui.txtAdditional, ui.GameAudio,
                                             ui.HEVSuit, ui.lstCDTrack, ui.txtIP, ui.lstModel})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }

    void skyloomItem_returnsToTheMainWindow() {
        auto* w = open();
        w->ui().mnuFileitmSkyloom->trigger();
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("frmAdvanced"));
        QVERIFY(app->windows.find("sp") && app->windows.find("sp")->isVisible());
        QVERIFY(!app->ended);
    }

    void closeBox_endsTheProgram() {
        open()->close();
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }

    void mainWindowCtrlA_opensTheLauncherInPlaceOfTheMainWindow() {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=" + kProgram.toStdString() +
                      "\r\n");
        auto* main = qobject_cast<MainWindow*>(app->windows.show("sp"));
        const QList<QAction*> file = main->ui().mnuFichier->actions();
        QCOMPARE(file.indexOf(main->ui().mnuFileitmAHLOL) + 1,
                 file.indexOf(main->ui().mnuFileMapcleItm));
        QCOMPARE(main->ui().mnuFileitmAHLOL->text(), QString("&Advanced HL Option Launcher"));

        activate(main);
        QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("sp"));
        auto* w = app->windows.find<AdvancedLauncher>("frmAdvanced");
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->ui().lblFullCommandLine->text(), kProgram);
        QVERIFY(!app->ended);
    }
};

QTEST_MAIN(AdvancedLauncherTest)
#include "advanced_launcher_test.moc"
