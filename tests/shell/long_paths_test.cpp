#include <QtTest>

#include "shell/map_file_list.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

// Paths as Wine, Steam and Flatpak installs have them, far beyond the old 50-, 100- and
// 200-character buffers: the windows that list or write them keep them whole (starting the game
// from long paths is the end-to-end test's).
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
        const Settings& s = app.settings;
        for (const char* window : {"sp", "config", "firstusedone"}) {
            app.writeIni("[MISC]\r\nfirstuse=no\r\ntfc=false\r\n[GAMEDIR]\r\nprogram=" + program +
                         "\r\nmaps=" + maps + "\r\nvalve=" + valve + "\r\n");
            QWidget* w = app.windows.show(window);
            if (auto* list = w->findChild<MapFileList*>("dirFichiers"))
                QCOMPARE(list->folder(), maps);
            else {  // the default button writes the paths and the folders derived from them
                QTest::keyClick(w, Qt::Key_Return);
                QCOMPARE(s.readPath("program", "") + "|" + s.readPath("maps", "") + "|" +
                             s.readPath("valve", "") + "|" + s.readPath("dds", ""),
                         program + "|" + maps + "|" + game + "/valve/|" + game + "/");
            }
            app.windows.unloadAll();
            TestApp::processDeletes();
        }
    }
};

QTEST_MAIN(LongPathsTest)
#include "long_paths_test.moc"
