#include <sys/stat.h>

#include <QtTest>
#include <QtWidgets>

#include "setup/folder_lists.h"
#include "setup/paths_panel.h"
#include "setup/register_setup_windows.h"
#include "shell/map_file_list.h"
#include "test_app.h"
#include "without_root_file_access.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const std::string kFirstUse = "[MISC]\r\nfirstuse=yes\r\n";

// A field or button as shown: its text, and "[disabled]" when it is.
QString looks(QWidget* w) {
    return w->property("text").toString() + (w->isEnabled() ? "" : " [disabled]");
}

}  // namespace

class SetupWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    QWidget* start(const std::string& ini, const QString& window) {
        app = std::make_unique<TestApp>();
        registerSetupWindows(app->context);
        if (!ini.empty()) app->writeIni(ini);
        return app->windows.show(window);
    }
    template <class T = QWidget>
    T* child(const char* window, const char* name) {
        QWidget* w = app->windows.find(window);
        return w ? w->findChild<T*>(name) : nullptr;
    }
    struct Panel {
        QLineEdit *program, *txtMaps, *TFCmaps;
        QCheckBox* chkTFC;
        QPushButton *cmdTFCMaps, *cmdFind;
    };
    Panel panel(const char* window = "firstuseconfig") {
        return {child<QLineEdit>(window, "program"),      child<QLineEdit>(window, "txtMaps"),
                child<QLineEdit>(window, "TFCmaps"),      child<QCheckBox>(window, "chkTFC"),
                child<QPushButton>(window, "cmdTFCMaps"), child<QPushButton>(window, "cmdFind")};
    }
    void press(const char* window, const char* button) {
        QTest::mouseClick(child<QAbstractButton>(window, button), Qt::LeftButton);
        TestApp::processDeletes();
    }
    void name(const char* nick, const char* clan) {
        child<QLineEdit>("firstuse2", "txtNick")->setText(nick);
        child<QLineEdit>("firstuse2", "txtClan")->setText(clan);
    }
    // True when the window is the only one left, on screen, and the program still runs.
    bool onlyOpen(const QString& window) {
        TestApp::processDeletes();
        QWidget* w = app->windows.find(window);
        return app->windows.loadedCount() == 1 && w && w->isVisible() && !app->ended;
    }
    // The message boxes shown so far, each as "icon | title | text" (all have one OK button).
    QStringList shown() {
        const char* const icons[] = {"none", "information", "exclamation", "critical"};
        QStringList list;
        for (const auto& m : app->desktop.messages)
            list << icons[int(m.icon)] + (" | " + m.title + " | " + m.text);
        return list;
    }
    // The wizard's paths page and the configuration window, both open, their paths marked.
    void openBothReceivers() {
        start("[MISC]\ntfc=true\n", "firstuseconfig");
        app->windows.show("config");
        for (const char* window : {"firstuseconfig", "config"})
            for (const char* field : {"program", "txtMaps", "TFCmaps"})
                child<QLineEdit>(window, field)->setText("untouched");
    }
    // The path fields of both receivers changed since, as "window.field=text".
    QStringList changed() {
        QStringList list;
        for (const char* window : {"firstuseconfig", "config"})
            for (const char* field : {"program", "txtMaps", "TFCmaps"})
                if (auto* e = child<QLineEdit>(window, field); e && e->text() != "untouched")
                    list << QString("%1.%2=%3").arg(window, field, e->text());
        return list;
    }

private slots:
    void cleanup() { app.reset(); }

    // The last page derives the folders, drops a stale tfcdir and keeps very long paths whole.
    void wizardPages_writeOnlyOnNextAndShowWhatIsStored() {
        const std::string gamedir = "[GAMEDIR]\r\ntfcdir=/old/\r\nprogram=\r\nmaps=/v/maps\r\n";
        const std::string stored = kFirstUse + "user=Old\r\ncompany=Clan\r\ntfc=True\r\n" + gamedir;
        start(stored, "firstuse1");
        press("firstuse1", "cmdNext");
        QTest::keyClick(child("firstuse2", "txtNick"), Qt::Key_Return);  // Enter is Next
        name("Tester", "");
        press("firstuse2", "cmdNext");
        QCOMPARE(shown(), QStringList({"none | Nickname | Please enter a nickname",
                                       "none | Organisation | Please enter an organisation "
                                       "name or a clan name"}));
        press("firstuse2", "cmdPrev");
        QVERIFY(onlyOpen("firstuse1") && app->readIni() == stored);
        press("firstuse1", "cmdNext");
        name("Tester", " ");            // blanks are a name, written as typed
        press("firstuse2", "cmdNext");  // the paths page: only "true" ticks the box
        QCOMPARE(app->readIni(), kFirstUse + "user=Tester\r\ncompany= \r\ntfc=True\r\n" + gamedir);
        for (const char* tfcMaps : {"error [disabled]", "error", "error [disabled]"}) {
            QCOMPARE(looks(panel().program) + "|" + looks(panel().txtMaps) + "|" +
                         looks(panel().TFCmaps) + "|" + looks(panel().cmdTFCMaps),
                     "|/v/maps|" + QString(tfcMaps) + "|Browse");
            QTest::mouseClick(panel().chkTFC, Qt::LeftButton);  // the field keeps its text
        }
        std::string game;
        for (int i = 0; i < 160; ++i) game += "/steamapps-common-Half-Life";
        panel().chkTFC->setChecked(false);
        panel().program->setText(QString::fromStdString(game + "/hl.exe"));
        panel().txtMaps->setText(QString::fromStdString(game + "/valve/maps"));
        press("firstuseconfig", "cmdFinish");
        const size_t messages = app->desktop.messages.size();
        press("firstusedone", "cmdFinish");
        QCOMPARE(app->readIni(),
                 "[MISC]\r\nfirstuse=no\r\nuser=Tester\r\ncompany= \r\ntfc=false\r\n"
                 "[GAMEDIR]\r\nprogram=" +
                     game + "/hl.exe\r\nmaps=" + game + "/valve/maps\r\nvalve=" + game +
                     "/valve/\r\ndds=" + game + "/\r\n");
        QVERIFY(onlyOpen("sp") && app->desktop.messages.size() == messages);
        QCOMPARE(app->opened, QStringList("sp"));
    }

    void pathsPage_nextWritesFirstThenChecks() {
        const std::tuple<bool, QString, QString, QString, QString> cases[] = {
            {true, "", "", "", "You must specify where is skyloom.exe"},  // none given
            {true, "/h/hl.exe", "", "", "You must specify where Half-Life is installed"},
            {true, "/h/hl.exe", "/v/maps", "",
             "You must specify where is installed TFC, or uncheck the ratio"},
            {true, "error", "error", "error", ""},
            {false, "/h/hl.exe", "/v/maps", "", ""},
        };
        for (const auto& [tfc, program, maps, tfcmaps, refusal] : cases) {
            start(kFirstUse, "firstuseconfig");
            panel().chkTFC->setChecked(tfc);
            panel().program->setText(program);
            panel().txtMaps->setText(maps);
            panel().TFCmaps->setText(tfcmaps);
            press("firstuseconfig", "cmdFinish");
            QCOMPARE(QString::fromStdString(app->readIni()),
                     QString::fromStdString(kFirstUse) + "tfc=" + (tfc ? "true" : "false") +
                         "\r\n[GAMEDIR]\r\n" + (tfc ? "tfcmaps=" + tfcmaps + "\r\n" : "") +
                         "program=" + program + "\r\nmaps=" + maps + "\r\n");
            QCOMPARE(shown().join(""), refusal.isEmpty() ? "" : "none | Skyloom | " + refusal);
            QVERIFY(onlyOpen(refusal.isEmpty() ? "firstusedone" : "firstuseconfig"));
        }
    }

    // Escape does nothing; a failed write is reported and stops; a wizard page's frame ends all.
    void escapeIgnored_failedWriteReported_wizardFrameEndsTheProgram() {
        for (const char* window : {"firstuse2", "firstuseconfig", "firstusedone", "config"}) {
            QWidget* w = start(kFirstUse, window);
            if (child(window, "txtNick")) name("Tester", "Clan");
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY2(onlyOpen(window), window);
            ::chmod(app->folder().c_str(), 0555);  // a read-only application folder
            WithoutRootFileAccess asAPlayer;
            QTest::keyClick(w, Qt::Key_Return);  // the default button moves on
            ::chmod(app->folder().c_str(), 0700);
            const QString m = shown().join("\n");
            QVERIFY2(m.startsWith("exclamation | Settings not saved | Skyloom could not save your "
                                  "settings in \"" +
                                  QString::fromStdString(app->iniPath()) + "\".\n\n") &&
                         m.endsWith("Permission denied") && app->desktop.messages.size() == 1 &&
                         app->readIni() == kFirstUse && onlyOpen(window),
                     qPrintable(window + (": " + m)));
            if (std::string(window) == "config") continue;
            w->close();
            TestApp::processDeletes();
            QVERIFY2(app->ended && app->readIni() == kFirstUse, window);
        }
    }

    void config_okWritesThePathsAndTheirFoldersCancelNothingBothBringBackTheMainWindow() {
        enum Way { OkWithTfc, Ok, Cancel, Frame };
        const std::pair<bool, Way> cases[] = {{false, OkWithTfc}, {false, Ok},    {true, Ok},
                                              {false, Cancel},    {false, Frame}, {true, Cancel}};
        // Opened by the menu (the main window unloaded) or by a load error (the main window
        // hidden).
        for (const auto& [fromMenu, way] : cases) {
            start(fromMenu
                      ? "[MISC]\ntfc=true\n[GAMEDIR]\ntfcmaps=/t\nprogram=/p\nmaps=/m\nvalve=/v/\n"
                      : "[GAMEDIR]\ntfcmaps=/kept/tfc\n",
                  fromMenu ? "config" : "sp");
            const std::string maps = app->makeFolder("valve/maps"), tfcMaps = app->makeFolder("t");
            QWidget* hidden = app->windows.find("sp");
            if (!fromMenu) {
                app->windows.setVisible("sp", false);
                app->windows.show("config");
            }
            QWidget* w = app->windows.find("config");
            QVERIFY(w && w->isVisible());
            const std::string stored = app->readIni();
            const Panel p = panel("config");
            QVERIFY(p.chkTFC->isChecked() == fromMenu);  // tfc=true, or no tfc at all
            p.program->clear();                          // no checks: written empty
            p.txtMaps->setText(QString::fromStdString(maps));
            p.TFCmaps->setText(QString::fromStdString(tfcMaps));
            p.chkTFC->setChecked(way == OkWithTfc);
            if (way == Frame) w->close();
            if (way == Cancel) press("config", "Command3");
            if (way <= Ok) QTest::keyClick(p.program, Qt::Key_Return);  // Enter is Ok
            QVERIFY(onlyOpen("sp") && (fromMenu || app->windows.find("sp") == hidden));
            // Ok derives the folders as the wizard's last page does.
            const std::string tfc = way == OkWithTfc ? "true" : "false",
                              paths = "tfcmaps=" + tfcMaps + "\nprogram=\nmaps=" + maps +
                                      "\nvalve=" + app->folder() + "/valve/\n" +
                                      (way == OkWithTfc ? "tfcdir=" + app->folder() + "/\n" : "");
            QCOMPARE(app->readIni(),
                     way >= Cancel ? stored
                     : fromMenu    ? "[MISC]\ntfc=" + tfc + "\n[GAMEDIR]\n" + paths + "dds=\n"
                                   : "[GAMEDIR]\n" + paths + "dds=\n[MISC]\ntfc=" + tfc + "\n");
            // A main window that stayed loaded reads the paths Ok wrote.
            QCOMPARE(app->reloaded, fromMenu || way >= Cancel ? QStringList() : QStringList("sp"));
        }
        // Paths stored as bytes that are not UTF-8 go back unchanged when the player leaves them.
        const std::string paths = "program=/g\xE9/hl.exe\nmaps=/cartes_\xE9t\xE9/valve/maps\n";
        for (const char* window : {"config", "firstuseconfig"}) {
            start("[MISC]\ntfc=false\n[GAMEDIR]\n" + paths, window);
            QCOMPARE(panel(window).txtMaps->text(), QString("/cartes_\u00e9t\u00e9/valve/maps"));
            press(window, std::string(window) == "config" ? "cmdOK" : "cmdFinish");
            QVERIFY2(app->readIni().find(paths) != std::string::npos, app->readIni().c_str());
        }
    }

    // Opening fills only unset fields, from a single install or the one picked of several; Find
    // asks which of several.
    void findTheGame_fillsFromTheOneFoundTheOneChosenOrSaysWhereItLooked() {
        // {settings, installs, window, Find pressed, list choice, game folder filled or ""}
        const std::tuple<const char*, int, const char*, bool, std::optional<int>, const char*>
            cases[] = {
                {"", 1, "config", false, {}, "Sierra"},
                {"[GAMEDIR]\nprogram=/x/hl.exe\n", 1, "config", false, {}, ""},
                {"", 2, "firstuseconfig", false, 0, "Sierra"},
                {"", 2, "firstuseconfig", false, {}, ""},  // not answered: nothing found
                {"[GAMEDIR]\nprogram=/x/hl.exe\n", 2, "config", true, 1, "Games"},
            };
        for (const auto& [ini, installs, window, find, pick, fields] : cases) {
            app = std::make_unique<TestApp>();
            registerSetupWindows(app->context);
            if (*ini) app->writeIni(ini);
            const QString drive = QString::fromStdString(app->folder()) + "/home/.wine/drive_c/";
            for (int i = 0; i < installs; ++i) {
                const std::string game =
                    std::string("home/.wine/drive_c/") + (i ? "Games" : "Sierra");
                app->makeFolder(game + "/Half-Life/tfc");
                app->makeFolder(game + "/Half-Life", {"hl.exe"});
            }
            app->installs = {app->folder() + "/home", ""};
            app->desktop.choices = {pick};
            app->windows.show(window);
            const Panel p = panel(window);
            auto* paths = child<PathsPanel>(window, "paths");
            QTRY_VERIFY(!paths->searching());
            const QString before = p.program->text() + "|" + p.txtMaps->text();
            if (find) {
                QTest::mouseClick(p.cmdFind, Qt::LeftButton);
                QTRY_VERIFY(!paths->searching());
            }
            const QString game = drive + fields + "/Half-Life";
            QCOMPARE(p.program->text() + "|" + p.txtMaps->text() + "|" + p.TFCmaps->text() +
                         (p.chkTFC->isChecked() ? " [x]" : ""),
                     *fields ? game + "/hl.exe|" + game + "/valve/maps|" + game + "/tfc/maps [x]"
                             : before + "|error");
            QCOMPARE(app->desktop.lists,
                     QStringList(installs > 1 && (find || !*ini),
                                 window + QString(": Find the game: Half-Life is installed in "
                                                  "several places. Which one do you play?")));
            QVERIFY(shown().isEmpty());
        }
    }

    void browseButtonsAndPickers_deliverWhatWasChosenToTheirFieldOnly() {
        // {window, button, picker, field filled}
        const char* const cases[][4] = {
            {"firstuseconfig", "cmdMaps", "DirMaps", "firstuseconfig.txtMaps"},
            {"firstuseconfig", "cmdTFCMaps", "configtfc", "firstuseconfig.TFCmaps"},
            {"config", "cmdMaps", "DirMaps", "config.txtMaps"},
            {"config", "cmdTFCMaps", "DirMapsTFC", "config.TFCmaps"},
        };
        for (const auto& [window, button, picker, delivered] : cases) {
            openBothReceivers();
            press(window, button);
            QTest::keyClick(child(picker, "rep"), Qt::Key_Return);  // on the open folder: OK
            TestApp::processDeletes();
            QCOMPARE(changed(), QStringList(delivered + ("=" + QDir::homePath())));
        }
        openBothReceivers();  // the program's Browse: a file dialog, cancelled the second time
        app->desktop.files = {QString("/x/hl.exe"), QString("/y/hl.exe"), std::nullopt};
        for (const char* window : {"firstuseconfig", "config", "firstuseconfig", "config"})
            press(window, "Command2");
        QCOMPARE(changed(),
                 QStringList({"firstuseconfig.program=/x/hl.exe", "config.program=/y/hl.exe"}));
        const QString kinds = " (hl.exe hl_linux hl.sh) | hl.exe hl_linux hl.sh";
        const QStringList both = {
            "firstuseconfig: Choose your program: Half-Life Program" + kinds,
            "config: Choose your Half-Life executable: Half-Life executable" + kinds};
        QCOMPARE(app->desktop.fileDialogs, both + both);
        // A picker opens on the field's folder and delivers the open one; it closes with its
        // window.
        openBothReceivers();
        const QString top = QString::fromStdString(app->makeFolder("games"));
        app->makeFolder("games/valve/maps");
        app->makeFolder("games/tfc");
        app->makeFolder("games/.steam");
        panel("config").TFCmaps->setText(top);
        press("config", "cmdTFCMaps");
        auto& rep = *child<DirectoryList>("DirMapsTFC", "rep");
        QCOMPARE(rep.folder() + "|" + child<DriveList>("DirMapsTFC", "drve")->currentText(),
                 top + "|/");
        const auto item = [&](const char* name) {
            return rep.findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        };
        const auto at = [&](const char* name) { return rep.visualItemRect(item(name)).center(); };
        QVERIFY(item(".steam"));  // hidden folders are listed
        QTest::mouseClick(rep.viewport(), Qt::LeftButton, {}, at("valve"));
        QVERIFY(rep.currentItem() == item("valve") && rep.folder() == top);  // highlighted only
        QTest::mouseDClick(rep.viewport(), Qt::LeftButton, {}, at("valve"));
        QVERIFY(item("maps") && !item("tfc"));  // the open folder's sisters are not listed
        rep.setCurrentItem(item("maps"));
        QTest::keyClick(&rep, Qt::Key_Return);
        QCOMPARE(rep.folder(), top + "/valve/maps");
        QTest::mouseClick(rep.viewport(), Qt::LeftButton, {}, at("valve"));
        press("DirMapsTFC", "Command1");
        QCOMPARE(changed().last(), "config.TFCmaps=" + top + "/valve/maps");
        app->windows.show("DirMapsTFC");
        app->windows.show("configtfc");
        press("config", "Command3");
        QVERIFY(!app->windows.isLoaded("DirMapsTFC") && app->windows.isLoaded("configtfc"));

        openBothReceivers();  // Cancel, Escape and a closed receiver: nothing delivered
        app->windows.show("DirMapsTFC");
        press("DirMapsTFC", "Command2");
        QTest::keyClick(app->windows.show("configtfc"), Qt::Key_Escape);
        app->windows.show("DirMaps");
        app->windows.unload("config");
        press("DirMaps", "Command1");
        QVERIFY(changed().isEmpty() && onlyOpen("firstuseconfig"));  // config is not reopened
    }
};

QTEST_MAIN(SetupWindowsTest)
#include "setup_windows_test.moc"
