#include <QtTest>
#include <functional>

#include "advanced/advanced_launcher.h"
#include "connect/connection_tool.h"
#include "deathmatch/deathmatch_maker.h"
#include "deathmatch/server_config.h"
#include "launcher/main_window.h"
#include "setup/configuration_window.h"
#include "test_app.h"
#include "ui_advanced_launcher.h"
#include "ui_configuration_window.h"
#include "ui_connection_tool.h"
#include "ui_deathmatch_maker.h"
#include "ui_done_page.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

// Paths as Wine, Steam and Flatpak installs have them, far beyond the old 50-, 100- and
// 200-character buffers: every window that reads one uses it, and writes it back, whole.
class LongPathsTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowUsesAndKeepsWholePaths() {
        std::string game;
        for (int i = 0; i < 160; ++i) game += "/steamapps-common-Half-Life";
        const std::string program = game + "/hl.exe", maps = game + "/valve/maps";
        std::string valve;  // a real folder: the Deathmatch Maker writes into it

        using Act = std::function<std::string(TestApp&, QWidget*)>;
        const auto click = [](QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); };
        const auto lastStart = [](TestApp& app) {
            return app.games.starts.empty()
                       ? std::string("-")
                       : app.games.starts.back().commandLine + " @" +
                             app.games.starts.back().workingFolder.value_or("");
        };
        const std::tuple<const char*, Act, std::function<std::string()>> rows[] = {
            {"sp",
             [](TestApp&, QWidget* w) {
                 return qobject_cast<MainWindow*>(w)->ui().dirFichiers->folder().toStdString();
             },
             [&] { return maps; }},
            {"sp",
             [&](TestApp& app, QWidget* w) {
                 auto& ui = qobject_cast<MainWindow*>(w)->ui();
                 ui.txtSelMap->setText("crossfire.bsp");
                 click(ui.launch);
                 return lastStart(app);
             },
             [&] { return "hl.exe +deathmatch 1 +map crossfire @" + game; }},
            {"config",
             [&](TestApp& app, QWidget* w) {
                 click(qobject_cast<ConfigurationWindow*>(w)->ui().cmdOK);
                 const Settings& s = app.settings;
                 return s.readPath("program", "") + "|" + s.readPath("maps", "") + "|" +
                        s.readPath("valve", "") + "|" + s.readPath("dds", "");
             },
             [&] { return program + "|" + maps + "|" + game + "/valve/|" + game + "/"; }},
            {"firstusedone",
             [&](TestApp& app, QWidget* w) {
                 click(w->findChild<QAbstractButton*>("cmdFinish"));
                 return app.settings.readPath("valve", "") + "|" + app.settings.readPath("dds", "");
             },
             [&] { return game + "/valve/|" + game + "/"; }},
            {"DM",
             [](TestApp&, QWidget* w) {
                 return qobject_cast<DeathmatchMaker*>(w)->ui().maps->folder().toStdString();
             },
             [&] { return maps; }},
            {"DM",
             [&](TestApp& app, QWidget* w) {
                 auto& ui = qobject_cast<DeathmatchMaker*>(w)->ui();
                 click(ui.save);
                 QTest::keyClicks(ui.SelMap, "crossfire");
                 click(ui.Command1);
                 return app.desktop.messages.at(0).text.toStdString() + "|" +
                        (readFile(valve + "skyloom.cfg") == serverConfigText({}) ? "cfg|" : "|") +
                        lastStart(app);
             },
             [&] {
                 return "You're skyloom.cfg file has been saved in " + valve + "|cfg|" + program +
                        " +deathmatch 1 -console +map crossfire @";
             }},
            {"frmAdvanced",
             [](TestApp&, QWidget* w) {
                 return qobject_cast<AdvancedLauncher*>(w)
                     ->ui()
                     .lblFullCommandLine->text()
                     .toStdString();
             },
             [&] { return program; }},
            {"connect",
             [&](TestApp& app, QWidget* w) {
                 auto& ui = qobject_cast<ConnectionTool*>(w)->ui();
                 QTest::keyClicks(ui.ipadress, "192.0.2.10");
                 click(ui.cmdLaunch);
                 return lastStart(app).substr(0, program.size() + 1);
             },
             [&] { return program + " "; }},
        };
        for (const auto& [window, act, expected] : rows) {
            TestApp app;
            valve = app.makeFolder(std::string(200, 'v') + "/" + std::string(200, 'w')) + "/";
            app.writeIni("[MISC]\r\nfirstuse=no\r\ntfc=false\r\n[GAMEDIR]\r\nprogram=" + program +
                         "\r\nmaps=" + maps + "\r\nvalve=" + valve + "\r\n");
            QWidget* w = app.windows.show(window);
            QVERIFY(w);
            QCOMPARE(act(app, w), expected());
        }
    }
};

QTEST_MAIN(LongPathsTest)
#include "long_paths_test.moc"
