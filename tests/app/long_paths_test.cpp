#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <functional>

#include "app/map_file_list.h"
#include "test_app.h"

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
        TestApp app;
        const std::string valve =
            app.makeFolder(std::string(200, 'v') + "/" + std::string(200, 'w')) + "/";
        QWidget* w = nullptr;
        const auto press = [&](const char* b) {
            QTest::mouseClick(w->findChild<QAbstractButton*>(b), Qt::LeftButton);
        };
        const auto type = [&](const char* field, const char* text) {
            QTest::keyClicks(w->findChild<QLineEdit*>(field), text);
        };
        const auto listed = [&](const char* list) {
            return w->findChild<MapFileList*>(list)->folder();
        };
        const auto started = [&] {
            if (app.games.starts.empty()) return std::string("-");
            const auto& s = app.games.starts.back();
            return s.commandLine + " @" + s.workingFolder.value_or("");
        };
        const auto stored = [&] {
            const Settings& s = app.settings;
            return s.readPath("program", "") + "|" + s.readPath("maps", "") + "|" +
                   s.readPath("valve", "") + "|" + s.readPath("dds", "");
        };
        const std::string derived = program + "|" + maps + "|" + game + "/valve/|" + game + "/";
        const std::tuple<const char*, std::function<std::string()>, std::string> rows[] = {
            {"sp", [&] { return listed("dirFichiers"); }, maps},
            {"sp",
             [&] {
                 type("txtSelMap", "crossfire.bsp");
                 press("launch");
                 return started();
             },
             "hl.exe +deathmatch 1 +map crossfire @" + game},
            {"config",
             [&] {
                 press("cmdOK");
                 return stored();
             },
             derived},
            {"firstusedone",
             [&] {
                 press("cmdFinish");
                 return stored();
             },
             derived},
            {"DM",
             [&] {
                 const std::string folder = listed("maps");
                 press("save");
                 type("SelMap", "crossfire");
                 press("Command1");
                 return folder + "|" + app.desktop.messages.at(0).text.toStdString() + "|" +
                        started();
             },
             maps + "|You're skyloom.cfg file has been saved in " + valve + "|" + program +
                 " +deathmatch 1 -console +map crossfire @"},
            {"frmAdvanced",
             [&] { return w->findChild<QLabel*>("lblFullCommandLine")->text().toStdString(); },
             program},
            {"connect",
             [&] {
                 type("ipadress", "192.0.2.10");
                 press("cmdLaunch");
                 return started().substr(0, program.size() + 1);
             },
             program + " "},
        };
        for (const auto& [window, act, expected] : rows) {
            app.writeIni("[MISC]\r\nfirstuse=no\r\ntfc=false\r\n[GAMEDIR]\r\nprogram=" + program +
                         "\r\nmaps=" + maps + "\r\nvalve=" + valve + "\r\n");
            app.desktop.messages.clear();
            app.games.starts.clear();
            w = app.windows.show(window);
            QVERIFY(w);
            QCOMPARE(act(), expected);
            app.windows.unloadAll();
            TestApp::processDeletes();
        }
    }
};

QTEST_MAIN(LongPathsTest)
#include "long_paths_test.moc"
