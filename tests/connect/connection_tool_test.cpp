#include "connect/connection_tool.h"

#include <QtTest>

#include "launcher/main_window.h"
#include "test_app.h"
#include "ui_connection_tool.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const char* kConfigured = "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/games/Half Life/hl.exe\r\n";

// Where Tab goes from this control.
QWidget* nextTabStop(QWidget* w) {
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

}  // namespace

class ConnectionToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    // Opened as a player does: from the main window's File menu.
    ConnectionTool* open(const std::string& ini = kConfigured) {
        app = std::make_unique<TestApp>();
        app->writeIni(ini);
        auto* main = qobject_cast<MainWindow*>(app->windows.show("sp"));
        main->ui().mnuFileitmConnect->trigger();
        TestApp::processDeletes();
        return app->windows.find<ConnectionTool>("connect");
    }

private slots:
    void cleanup() { app.reset(); }

    void mainMenu_itemOpensToolAndUnloadsMainWindow() {
        app = std::make_unique<TestApp>();
        app->writeIni(kConfigured);
        auto& ui = qobject_cast<MainWindow*>(app->windows.show("sp"))->ui();
        const QList<QAction*> items = ui.mnuFichier->actions();
        const auto at = items.indexOf(ui.mnuFileitmConnect);
        QCOMPARE(ui.mnuFileitmConnect->text(), QString("&Connect to a server ..."));
        QVERIFY(ui.mnuFileitmConnect->shortcut().isEmpty());
        QCOMPARE(at, items.indexOf(ui.mnuFileMapcleItm) + 1);
        QCOMPARE(at + 1, items.indexOf(ui.mnuFichieritmQuitter));

        ui.mnuFileitmConnect->trigger();
        TestApp::processDeletes();
        auto* w = app->windows.find<ConnectionTool>("connect");
        QVERIFY(w && w->isVisible());
        QVERIFY(!app->windows.isLoaded("sp"));
        QVERIFY(!app->ended);
    }

    void load_showsDesignState() {
        auto& ui = open()->ui();
        QCOMPARE(app->windows.find("connect")->windowTitle(), QString("Half-Life Connection Tool"));
        QCOMPARE(ui.Frame1->title(), QString("Server informations : "));
        QCOMPARE(ui.Label1->text(), QString("IP adress : "));
        QCOMPARE(ui.sv_port->text(), QString("Port : "));
        QCOMPARE(ui.ipadress->text(), QString());
        QCOMPARE(ui.port->text(), QString("27015"));
        QCOMPARE(ui.close->text(), QString("Close"));
        QVERIFY(!ui.close->isChecked());
        QCOMPARE(ui.cmdLaunch->text(), QString("Launch"));
        QCOMPARE(ui.mnuFile->title(), QString("&File"));
        QCOMPARE(ui.mnuFile->actions(), QList<QAction*>({ui.mnuFileitmSkyloom}));
        QCOMPARE(ui.mnuFileitmSkyloom->text(), QString("&Skyloom ..."));
        QVERIFY(ui.mnuFileitmSkyloom->shortcut().isEmpty());
        // The fields are named by the labels beside them; Tab goes down, then right.
        QCOMPARE(ui.Label1->buddy(), static_cast<QWidget*>(ui.ipadress));
        QCOMPARE(ui.sv_port->buddy(), static_cast<QWidget*>(ui.port));
        QCOMPARE(nextTabStop(ui.ipadress), static_cast<QWidget*>(ui.port));
        QCOMPARE(nextTabStop(ui.port), static_cast<QWidget*>(ui.close));
        QCOMPARE(nextTabStop(ui.close), static_cast<QWidget*>(ui.cmdLaunch));
        QVERIFY(app->games.starts.empty());
    }

    void launch_startsFullPathOntoServerMaximizedWithoutFolder() {
        auto* w = open();
        auto& ui = w->ui();
        QTest::keyClicks(ui.ipadress, "10.0.0.7");
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(1));
        const auto& start = app->games.starts[0];
        QCOMPARE(start.commandLine,
                 std::string("/games/Half Life/hl.exe -console +connect 10.0.0.7:27015"));
        QVERIFY(!start.workingFolder);
        QCOMPARE(start.state, WindowState::Maximized);
        QVERIFY(app->desktop.messages.empty());
        QVERIFY(w->isVisible());

        // A second click starts a second game, with what the fields hold now.
        ui.port->clear();
        QTest::keyClicks(ui.port, "27020 ");
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(2));
        QCOMPARE(app->games.starts[1].commandLine,
                 std::string("/games/Half Life/hl.exe -console +connect 10.0.0.7:27020 "));
    }

    void launch_withoutProgramSetting_startsError() {
        auto& ui = open("[MISC]\r\ntfc=true\r\n")->ui();
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(1));
        QCOMPARE(app->games.starts[0].commandLine, std::string("error -console +connect :27015"));
    }

    void launch_thatFails_isReportedAndToolStaysEvenWhenClosing() {
        auto* w = open();
        app->games.result = {false, "error", "No such file."};
        QTest::mouseClick(w->ui().close, Qt::LeftButton);
        QTest::mouseClick(w->ui().cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QVERIFY2(m.text.contains("error") && m.text.contains("No such file."), qPrintable(m.text));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::Critical);
        TestApp::processDeletes();
        QVERIFY(app->windows.isLoaded("connect"));
        QVERIFY(w->isVisible());
        QVERIFY(!app->ended);
    }

    void close_tickedEndsProgramAfterStart_clearedKeepsTool() {
        auto* w = open();
        QTest::mouseClick(w->ui().cmdLaunch, Qt::LeftButton);
        QVERIFY(app->windows.isLoaded("connect"));

        QTest::mouseClick(w->ui().close, Qt::LeftButton);
        QTest::mouseClick(w->ui().cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(2));
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("connect"));
        QVERIFY(app->ended);
    }

    void skyloomItem_bringsMainWindowBack() {
        auto* w = open();
        w->ui().mnuFileitmSkyloom->trigger();
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("connect"));
        auto* main = app->windows.find<MainWindow>("sp");
        QVERIFY(main && main->isVisible());
        QVERIFY(!app->ended);
    }

    void closeBox_endsProgram() {
        open()->close();
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }
};

QTEST_MAIN(ConnectionToolTest)
#include "connection_tool_test.moc"
