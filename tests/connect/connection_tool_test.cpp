#include "connect/connection_tool.h"

#include <QClipboard>
#include <QtTest>

#include "launcher/main_window.h"
#include "test_app.h"
#include "ui_connection_tool.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

class ConnectionToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    // Opened as a player does: from the main window's File menu.
    ConnectionTool* open(const QString& gameDir = "program=/games/Half Life/hl.exe") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\n" + gameDir.toStdString() + "\r\n");
        qobject_cast<MainWindow*>(app->windows.show("sp"))->ui().mnuFileitmConnect->trigger();
        TestApp::processDeletes();
        return app->windows.find<ConnectionTool>("connect");
    }

private slots:
    void open_takesMainWindowsPlace_skyloomItemGivesItBack() {
        ConnectionTool* w = open();
        auto& ui = w->ui();
        QVERIFY(w->isVisible() && !app->windows.isLoaded("sp"));
        QCOMPARE(QVariantList({w->windowTitle(), ui.Frame1->title(), ui.Label1->text(),
                               ui.sv_port->text(), ui.ipadress->text(), ui.port->text(),
                               ui.close->text(), ui.close->isChecked(),
                               ui.close->accessibleDescription(), ui.cmdLaunch->text(),
                               ui.mnuFile->title(), ui.mnuFileitmSkyloom->text()}),
                 QVariantList({"Half-Life Connection Tool",
                               "Server informations : ", "IP adress : ", "Port : ", "", "27015",
                               "Close", false, "Close Skyloom once the game has started", "Launch",
                               "&File", "&Skyloom ..."}));
        ui.mnuFileitmSkyloom->trigger();
        TestApp::processDeletes();
        QVERIFY(app->windows.find("sp")->isVisible() && app->windows.loadedCount() == 1);
    }

    void launch_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("line");
        const QString server = " -console +connect 10.0.0.7:27020";
        QTest::newRow("stays") << false << false << "/games/Half Life/hl.exe" + server;
        QTest::newRow("closes") << true << false << "/games/Half Life/hl.exe" + server;
        QTest::newRow("no program, fails, stays") << true << true << "error" + server;
    }
    // Every click starts a game; a ticked Close box ends the tool once the game has started.
    void launch() {
        QFETCH(bool, ticked);
        QFETCH(bool, fails);
        QFETCH(QString, line);
        auto& ui = (fails ? open("") : open())->ui();
        if (fails) app->games.result = {false, "error", "No such file."};
        QTest::keyClicks(ui.ipadress, "10.0.0.7");
        ui.port->setText("27020");
        if (ticked) QTest::mouseClick(ui.close, Qt::LeftButton);
        for (size_t click = 1; click <= 2 && !app->ended; ++click) {
            QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
            QCOMPARE(app->games.starts.size(), click);
            const auto& start = app->games.starts.back();
            QCOMPARE(QString::fromStdString(start.commandLine), line);
            QVERIFY(!start.workingFolder && start.state == WindowState::Maximized);
            QCOMPARE(app->desktop.messages.size(), fails ? click : 0);
            TestApp::processDeletes();
            QCOMPARE(app->ended, ticked && !fails);  // the tool was the only window
        }
        for (const auto& m : app->desktop.messages)
            QVERIFY(m.text.contains("Program: error\nReason: No such file.") &&
                    m.title == "Skyloom" && m.icon == MessageIcon::Critical);
    }

    // A pasted address keeps no line break and loses its blanks around; one that would split
    // into arguments starts nothing.
    void launch_trimsThePastedAddress_refusesABadOne() {
        auto& ui = open()->ui();
        QApplication::clipboard()->setText(" 10.0.0.7\n");
        ui.ipadress->setFocus();
        QTest::keyClick(ui.ipadress, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ui.ipadress->text(), " 10.0.0.7 ");
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.at(0).commandLine,
                 "/games/Half Life/hl.exe -console +connect 10.0.0.7:27015");
        ui.ipadress->setText("10.0.0.7 +exec evil");
        QTest::mouseClick(ui.cmdLaunch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t{1});
        QVERIFY(app->desktop.messages.at(0).text.startsWith("IP adress:"));
    }
};

QTEST_MAIN(ConnectionToolTest)
#include "connection_tool_test.moc"
