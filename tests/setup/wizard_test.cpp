#include <sys/stat.h>

#include "setup/directory_picker.h"
#include "setup/done_page.h"
#include "setup/name_page.h"
#include "setup/paths_page.h"
#include "setup/paths_panel.h"
#include "setup/welcome_page.h"
#include "setup_test_support.h"
#include "ui_done_page.h"
#include "ui_name_page.h"
#include "ui_paths_page.h"
#include "ui_paths_panel.h"
#include "ui_welcome_page.h"
#include "without_root_file_access.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const std::string kFirstUse = "[MISC]\r\nfirstuse=yes\r\n";

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    TestApp& fresh(const std::string& ini) {
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        return *app;
    }

    // True when the named window is the only one left, and on screen.
    bool onlyOpen(const char* name) {
        TestApp::processDeletes();
        QWidget* w = app->windows.find(name);
        return app->windows.loadedCount() == 1 && w && w->isVisible() && !app->ended;
    }

    void expectMessage(size_t index, const char* text, const char* title) {
        QVERIFY(app->desktop.messages.size() > index);
        const auto& m = app->desktop.messages[index];
        QCOMPARE(m.text, QString(text));
        QCOMPARE(m.title, QString(title));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::None);
    }

    void fillName(const char* nick, const char* clan) {
        auto& ui = app->windows.find<NamePage>("firstuse2")->ui();
        QTest::keyClicks(ui.txtNick, nick);
        QTest::keyClicks(ui.txtClan, clan);
    }

private slots:
    void cleanup() { app.reset(); }

    void welcomePage_nextOpensTheNamePageWritingNothing() {
        fresh(kFirstUse);
        auto& ui = open<WelcomePage>(*app, "firstuse1")->ui();
        QCOMPARE(app->windows.find("firstuse1")->windowTitle(),
                 QString("Welcome to the Skyloom !"));
        QCOMPARE(ui.Label1->text(), QString("You are launching the Skyloom for the first time. "
                                            "This wizard will help you to configure it."));
        QCOMPARE(ui.Label2->text(), QString("Click \"Next\"."));
        QCOMPARE(ui.cmdNext->text(), QString("&Next >"));
        QVERIFY(ui.cmdNext->isDefault());
        QVERIFY(!ui.Picture1->pixmap().isNull());
        QTest::mouseClick(ui.Picture1, Qt::LeftButton);  // the picture does nothing
        QVERIFY(onlyOpen("firstuse1"));

        click(ui.cmdNext);
        QVERIFY(onlyOpen("firstuse2"));
        QCOMPARE(app->readIni(), kFirstUse);
    }

    void namePage_checksNicknameThenOrganisationThenWritesBoth() {
        fresh(kFirstUse);
        auto* page = open<NamePage>(*app, "firstuse2");
        auto& ui = page->ui();
        QCOMPARE(page->windowTitle(), QString("Name and organisation"));
        QCOMPARE(ui.Label1->text(), QString("Enter your name and your organisation (or clan)."));
        QCOMPARE(ui.Label2->text(), QString("Name/Nickname :"));
        QCOMPARE(ui.Label3->text(), QString("Organisation/clan :"));
        QCOMPARE(ui.Label2->buddy(), static_cast<QWidget*>(ui.txtNick));
        QCOMPARE(ui.Label3->buddy(), static_cast<QWidget*>(ui.txtClan));
        QCOMPARE(ui.cmdPrev->text(), QString("< &Previous"));
        QVERIFY(ui.cmdNext->isDefault());

        QTest::keyClick(ui.txtNick, Qt::Key_Return);  // Enter is Next
        expectMessage(0, "Please enter a nickname", "Nickname");
        QTest::keyClicks(ui.txtNick, "Tester");
        click(ui.cmdNext);
        expectMessage(1, "Please enter an organisation name or a clan name", "Organisation");
        QCOMPARE(app->readIni(), kFirstUse);
        QVERIFY(onlyOpen("firstuse2"));

        QTest::keyClicks(ui.txtClan, " ");  // blanks are a name, written as typed
        click(ui.cmdNext);
        QCOMPARE(app->desktop.messages.size(), size_t(2));
        QCOMPARE(app->readIni(), kFirstUse + "user=Tester\r\ncompany= \r\n");
        QVERIFY(onlyOpen("firstuseconfig"));
    }

    void namePage_previousWritesNothingAndThePageReopensEmpty() {
        const std::string stored = kFirstUse + "user=Old\r\ncompany=Clan\r\n";
        fresh(stored);
        auto& ui = open<NamePage>(*app, "firstuse2")->ui();
        QVERIFY(ui.txtNick->text().isEmpty() && ui.txtClan->text().isEmpty());
        fillName("New", "Other");
        click(ui.cmdPrev);
        QVERIFY(onlyOpen("firstuse1"));
        QCOMPARE(app->readIni(), stored);

        click(app->windows.find<WelcomePage>("firstuse1")->ui().cmdNext);
        auto& again = app->windows.find<NamePage>("firstuse2")->ui();
        QVERIFY(again.txtNick->text().isEmpty() && again.txtClan->text().isEmpty());
        fillName("New", "Other");
        click(again.cmdNext);
        QCOMPARE(app->readIni(), kFirstUse + "user=New\r\ncompany=Other\r\n");
    }

    void pathsPage_firstRunShowsErrorInEveryPathField() {
        fresh(kFirstUse);
        auto* page = open<PathsPage>(*app, "firstuseconfig");
        auto& ui = page->ui();
        auto& p = page->paths().ui();
        QCOMPARE(page->windowTitle(), QString("Configuration"));
        QCOMPARE(p.frmHLC->title(), QString("Half-Life "));
        QCOMPARE(p.Label1->text(), QString("Program : "));
        QCOMPARE(p.lblMaps->text(), QString("Maps dir : "));
        QCOMPARE(p.frmTFC->title(), QString("Team Fortress Classic "));
        QCOMPARE(p.chkTFC->text(), QString("&Team Fortress Classic is installed"));
        QCOMPARE(p.tfcCaption->text(), QString("TFC maps dir : "));
        for (QPushButton* b : {p.Command2, p.cmdMaps, p.cmdTFCMaps})
            QCOMPARE(b->text(), QString("Browse"));
        QCOMPARE(ui.cmdPrev->text(), QString("< &Previous"));
        QCOMPARE(ui.cmdPrev->toolTip(), QString("Saves parameters in \"skyloom.ini\""));
        QCOMPARE(ui.cmdFinish->text(), QString("&Next >"));
        QVERIFY(ui.cmdFinish->isDefault());
        for (QLineEdit* field : {p.program, p.txtMaps, p.TFCmaps})
            QCOMPARE(field->text(), QString("error"));
        QCOMPARE(p.Label1->buddy(), static_cast<QWidget*>(p.program));
        QCOMPARE(p.lblMaps->buddy(), static_cast<QWidget*>(p.txtMaps));
        QCOMPARE(p.tfcCaption->buddy(), static_cast<QWidget*>(p.TFCmaps));
        QVERIFY(!p.chkTFC->isChecked());
        QVERIFY(!p.TFCmaps->isEnabled());
        QCOMPARE(baseOf(p.TFCmaps), systemColour(QPalette::Mid));
        QTest::mouseClick(ui.Picture1, Qt::LeftButton);
        QVERIFY(onlyOpen("firstuseconfig"));
    }

    void pathsPage_checkBoxEnablesTheTfcFieldKeepingItsText() {
        for (const char* flag : {"True", "false", "error"}) {
            fresh(kFirstUse + "tfc=" + flag + "\r\n");
            QVERIFY(!open<PathsPage>(*app, "firstuseconfig")->paths().ui().chkTFC->isChecked());
        }
        fresh(kFirstUse + "tfc=true\r\n[GAMEDIR]\r\ntfcmaps=/t/maps\r\n");
        auto& p = open<PathsPage>(*app, "firstuseconfig")->paths().ui();
        QVERIFY(p.chkTFC->isChecked());
        QVERIFY(p.TFCmaps->isEnabled());
        QCOMPARE(baseOf(p.TFCmaps), systemColour(QPalette::Base));

        click(p.chkTFC);
        QVERIFY(!p.TFCmaps->isEnabled());
        QCOMPARE(baseOf(p.TFCmaps), systemColour(QPalette::Mid));
        QCOMPARE(p.TFCmaps->text(), QString("/t/maps"));
        QVERIFY(p.cmdTFCMaps->isEnabled());

        click(p.chkTFC);
        QVERIFY(p.TFCmaps->isEnabled());
        QCOMPARE(baseOf(p.TFCmaps), systemColour(QPalette::Base));
        QVERIFY(p.cmdTFCMaps->isEnabled());
    }

    void pathsPage_nextWritesFirstThenChecks_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("maps");
        QTest::addColumn<QString>("tfcmaps");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no program") << ""
                                    << "/v/maps"
                                    << "/t/maps"
                                    << "You must specify where is skyloom.exe";
        QTest::newRow("no maps, no tfc maps") << "/h/hl.exe"
                                              << ""
                                              << ""
                                              << "You must specify where Half-Life is installed";
        QTest::newRow("no tfc maps")
            << "/h/hl.exe"
            << "/v/maps"
            << ""
            << "You must specify where is installed TFC, or uncheck the ratio";
        QTest::newRow("all given") << "/h/hl.exe"
                                   << "/v/maps"
                                   << "/t/maps"
                                   << "";
        QTest::newRow("error passes") << "error"
                                      << "error"
                                      << "error"
                                      << "";
    }
    void pathsPage_nextWritesFirstThenChecks() {
        QFETCH(QString, program);
        QFETCH(QString, maps);
        QFETCH(QString, tfcmaps);
        QFETCH(QString, refusal);
        fresh(kFirstUse);
        auto& ui = open<PathsPage>(*app, "firstuseconfig")->ui();
        auto& p = app->windows.find<PathsPage>("firstuseconfig")->paths().ui();
        click(p.chkTFC);
        p.program->setText(program);
        p.txtMaps->setText(maps);
        p.TFCmaps->setText(tfcmaps);
        click(ui.cmdFinish);

        QCOMPARE(app->readIni(), kFirstUse +
                                     "tfc=true\r\n[GAMEDIR]\r\ntfcmaps=" + tfcmaps.toStdString() +
                                     "\r\nprogram=" + program.toStdString() +
                                     "\r\nmaps=" + maps.toStdString() + "\r\n");
        if (refusal.isEmpty()) {
            QVERIFY(app->desktop.messages.empty());
            QVERIFY(onlyOpen("firstusedone"));
        } else {
            QCOMPARE(app->desktop.messages.size(), size_t(1));
            expectMessage(0, qPrintable(refusal), "Skyloom");
            QVERIFY(onlyOpen("firstuseconfig"));
        }
    }

    void pathsPage_uncheckedTfcLeavesStoredTfcMapsAlone() {
        fresh(kFirstUse + "tfc=true\r\n[GAMEDIR]\r\ntfcmaps=/t/maps\r\n");
        auto* page = open<PathsPage>(*app, "firstuseconfig");
        auto& p = page->paths().ui();
        click(p.chkTFC);
        p.TFCmaps->clear();  // not checked while TFC is unticked
        p.program->setText("/h/hl.exe");
        p.txtMaps->setText("/v/maps");
        click(page->ui().cmdFinish);
        QCOMPARE(app->readIni(), kFirstUse +
                                     "tfc=false\r\n[GAMEDIR]\r\ntfcmaps=/t/maps\r\n"
                                     "program=/h/hl.exe\r\nmaps=/v/maps\r\n");
        QVERIFY(onlyOpen("firstusedone"));
    }

    void pathsPage_refusedValuesStayStoredAndComeBackOnTheNextPass() {
        fresh(kFirstUse);
        auto* page = open<PathsPage>(*app, "firstuseconfig");
        page->paths().ui().program->clear();
        page->paths().ui().txtMaps->setText("/v/maps");
        click(page->ui().cmdFinish);
        const std::string refused =
            kFirstUse + "tfc=false\r\n[GAMEDIR]\r\nprogram=\r\nmaps=/v/maps\r\n";
        QCOMPARE(app->readIni(), refused);

        click(page->ui().cmdPrev);
        QVERIFY(onlyOpen("firstuse2"));
        QCOMPARE(app->readIni(), refused);
        fillName("Tester", "Clan");
        click(app->windows.find<NamePage>("firstuse2")->ui().cmdNext);
        auto& p = app->windows.find<PathsPage>("firstuseconfig")->paths().ui();
        QCOMPARE(p.program->text(), QString());
        QCOMPARE(p.txtMaps->text(), QString("/v/maps"));
        QCOMPARE(p.TFCmaps->text(), QString("error"));
        QVERIFY(!p.chkTFC->isChecked());
    }

    void pathsPage_browseButtons() {
        fresh(kFirstUse);
        auto& p = open<PathsPage>(*app, "firstuseconfig")->paths().ui();
        app->desktop.files = {QString("/games/Half Life/hl.exe"), std::nullopt};
        click(p.Command2);
        QCOMPARE(p.program->text(), QString("/games/Half Life/hl.exe"));
        QCOMPARE(app->desktop.fileDialogs.size(), size_t(1));
        QCOMPARE(app->desktop.fileDialogs[0].title, QString("Choose your program"));
        QCOMPARE(app->desktop.fileDialogs[0].filter,
                 QString("Half-Life Program (hl.exe) | hl.exe"));
        click(p.Command2);  // cancelled: the field keeps its path
        QCOMPARE(p.program->text(), QString("/games/Half Life/hl.exe"));

        click(p.cmdMaps);
        QWidget* maps = app->windows.find("DirMaps");
        QVERIFY(maps && maps->isVisible());
        QCOMPARE(maps->windowTitle(), QString(kWizardMapsCaption));
        click(p.cmdTFCMaps);
        QWidget* tfc = app->windows.find("configtfc");
        QVERIFY(tfc && tfc->isVisible());
        QCOMPARE(tfc->windowTitle(), QString("First configuration - TFC maps directory"));
        QVERIFY(app->windows.find("firstuseconfig")->isVisible());
    }

    void donePage_derivesTheFoldersAndOpensTheMainWindow() {
        fresh(kFirstUse +
              "tfc=true\r\n[GAMEDIR]\r\ntfcmaps=D:\\Games\\tfc\\maps\r\n"
              "program=C:\\Games\\Half-Life\\hl.exe\r\n"
              "maps=C:\\Games\\Half-Life\\valve\\maps\r\n");
        auto* page = open<DonePage>(*app, "firstusedone");
        auto& ui = page->ui();
        QCOMPARE(page->windowTitle(), QString("Configuration "));
        QCOMPARE(ui.Label1->text(), QString("All done !"));
        QCOMPARE(ui.Label2->text(), QString("The Skyloom configuration is finished."));
        QCOMPARE(ui.Label3->text(), QString("The wizard will now start the Skyloom."));
        QCOMPARE(ui.cmdFinish->text(), QString("&Finish"));
        QVERIFY(ui.cmdFinish->isDefault());

        click(ui.cmdFinish);
        QCOMPARE(app->readIni(),
                 "[MISC]\r\nfirstuse=no\r\ntfc=true\r\n[GAMEDIR]\r\n"
                 "tfcmaps=D:\\Games\\tfc\\maps\r\n"
                 "program=C:\\Games\\Half-Life\\hl.exe\r\n"
                 "maps=C:\\Games\\Half-Life\\valve\\maps\r\n"
                 "valve=C:\\Games\\Half-Life\\valve\\\r\n"
                 "tfcdir=D:\\Games\\tfc\\\r\n"
                 "dds=C:\\Games\\Half-Life\\\r\n");
        QVERIFY(onlyOpen("sp"));
        QVERIFY(app->desktop.messages.empty());
    }

    void donePage_withoutTfcRemovesTfcdir() {
        fresh(
            "[MISC]\nfirstuse=yes\ntfc=false\n[GAMEDIR]\ntfcmaps=/t/maps\nprogram=/h/hl.exe\n"
            "maps=/h/valve/maps\ntfcdir=/old/\n");
        click(open<DonePage>(*app, "firstusedone")->ui().cmdFinish);
        QCOMPARE(app->readIni(),
                 "[MISC]\nfirstuse=no\ntfc=false\n[GAMEDIR]\ntfcmaps=/t/maps\n"
                 "program=/h/hl.exe\nmaps=/h/valve/maps\nvalve=/h/valve/\n"
                 "dds=/h/\n");
        QVERIFY(onlyOpen("sp"));
    }

    void donePage_valuesTooShortStoreEmptyFolders() {
        fresh("[MISC]\nfirstuse=yes\ntfc=true\n[GAMEDIR]\nmaps=map\nprogram=hl\n");
        click(open<DonePage>(*app, "firstusedone")->ui().cmdFinish);
        // The missing tfcmaps reads "error" and keeps its first letter.
        QCOMPARE(app->readIni(),
                 "[MISC]\nfirstuse=no\ntfc=true\n[GAMEDIR]\nmaps=map\n"
                 "program=hl\nvalve=\ntfcdir=e\ndds=\n");
        QVERIFY(onlyOpen("sp"));
    }

    void failedWrite_isReportedAndNoPageMovesOn_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("next");
        QTest::newRow("name page") << "firstuse2"
                                   << "firstuseconfig";
        QTest::newRow("paths page") << "firstuseconfig"
                                    << "firstusedone";
        QTest::newRow("last page") << "firstusedone"
                                   << "sp";
    }
    void failedWrite_isReportedAndNoPageMovesOn() {
        QFETCH(QString, page);
        QFETCH(QString, next);
        fresh("");
        makeSettingsUnwritable(*app);
        QWidget* w = app->windows.show(page);
        if (qobject_cast<NamePage*>(w)) fillName("Tester", "Clan");
        if (auto* paths = qobject_cast<PathsPage*>(w)) paths->paths().ui().program->clear();
        click(w->findChild<QPushButton*>(page == "firstuse2" ? "cmdNext" : "cmdFinish"));

        // One message, naming the file and the reason; no refusal of the checks after it.
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QCOMPARE(m.title, QString("Settings not saved"));
        QVERIFY2(m.text.contains(QString::fromStdString(app->iniPath())), qPrintable(m.text));
        QVERIFY2(m.text.contains("Is a directory"), qPrintable(m.text));
        QVERIFY(onlyOpen(qPrintable(page)));
        QVERIFY(!app->windows.isLoaded(next));
    }

    void readOnlyFolder_theNamePageStays() {
        fresh(kFirstUse);
        ::chmod(app->folder().c_str(), 0555);
        open<NamePage>(*app, "firstuse2");
        fillName("Tester", "Clan");
        {
            WithoutRootFileAccess asAPlayer;
            click(app->windows.find<NamePage>("firstuse2")->ui().cmdNext);
        }
        ::chmod(app->folder().c_str(), 0755);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QCOMPARE(app->desktop.messages[0].title, QString("Settings not saved"));
        QVERIFY(app->desktop.messages[0].text.contains("Permission denied"));
        QCOMPARE(app->readIni(), kFirstUse);
        QVERIFY(onlyOpen("firstuse2"));
    }

    void pages_escapeDoesNothingAndTheFrameEndsTheProgram() {
        for (const char* name : {"firstuse1", "firstuse2", "firstuseconfig", "firstusedone"}) {
            fresh(kFirstUse);
            QWidget* page = app->windows.show(name);
            QTest::keyClick(page, Qt::Key_Escape);
            QVERIFY2(onlyOpen(name), name);
            page->close();
            TestApp::processDeletes();
            QVERIFY2(app->ended, name);
            QCOMPARE(app->readIni(), kFirstUse);
        }
    }
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
