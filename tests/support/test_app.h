#pragma once

#include <QAccessible>
#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QThreadPool>
#include <filesystem>
#include <string>

#include "fake_desktop.h"
#include "fake_game_starter.h"
#include "shell/app_context.h"
#include "temp_folder.h"

namespace skyloom::test {

// What a screen reader says a control is: the label that names it (Qt on Linux names a combo box
// by a buddy label), else its own name.
inline QString spokenName(QWidget* control) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    const auto labels = a->relations(QAccessible::Label);
    return (labels.isEmpty() ? a : labels.first().first)->text(QAccessible::Name);
}
inline constexpr const char* kWindowNames[] = {
    "splash",         "sp",           "DM",     "frmAdvanced", "firstuse1",  "firstuse2",
    "firstuseconfig", "firstusedone", "config", "DirMaps",     "DirMapsTFC", "configtfc",
    "connect",        "frmAbout",     "secret", "demos"};
// Another folder's window: an empty window that notes when it is told to read its paths again.
struct StandIn final : QWidget, PathsReload {
    StandIn(QStringList& opened, const char* name, QStringList& reloaded) : reloaded_(reloaded) {
        opened << name;
    }
    void reloadPaths() override { reloaded_ << objectName(); }
    QStringList& reloaded_;
};
// A whole program for one test in a temporary application folder, with fake boxes and game start.
// Every window name is a stand-in noting its opening; a test adds its own folder's real windows.
class TestApp {
public:
    TestApp() {
        network.lanTargets = [] { return QList{QHostAddress(QHostAddress::LocalHost)}; };
        network.firstLanPort = network.lastLanPort = 0;
        network.lanSearchMs = 500;
        network.timing = {500, 2};
        network.masterPageGapMs = 50;
        network.mayReach = [](const QHostAddress& to) { return to.isLoopback(); };
        // The map lists keep what they read there, never in the real ~/.cache,
        qputenv("XDG_CACHE_HOME", dir.path().toUtf8() + "/cache");
        qputenv("XDG_STATE_HOME", dir.path().toUtf8() + "/state");  // nor the windows' layouts
        for (const char* name : kWindowNames)
            windows.add(name, [this, name] { return new StandIn(opened, name, reloaded); });
    }
    ~TestApp() {
        windows.unloadAll();
        processDeletes();
        // Map lists read on in the background until they see they are closed.
        QThreadPool::globalInstance()->waitForDone();
    }
    template <class Window>
    void add(const char* name) {
        windows.add(QString::fromLatin1(name), [this] { return new Window(context); });
    }
    std::string folder() const { return dir.path().toStdString(); }
    std::string iniPath() const { return settings.filePath(); }
    void writeIni(const std::string& text) const { writeFile(iniPath(), text); }
    std::string readIni() const { return readFile(iniPath()); }
    // A folder below the application folder holding empty files of these names.
    std::string makeFolder(const std::string& name,
                           const std::vector<std::string>& files = {}) const {
        const std::string path = folder() + "/" + name;
        std::filesystem::create_directories(path);
        for (const std::string& f : files) writeFile(path + "/" + f, "");
        return path;
    }
    // Runs pending deletions, as the event loop does, so closed windows leave the registry.
    static void processDeletes() { qApp->sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QTemporaryDir dir;
    FakeDesktop desktop;
    FakeGameStarter games;
    Settings settings{dir.path().toStdString() + "/skyloom.ini"};
    ServerNetwork network;   // loopback only, short time-outs
    InstallSearch installs;  // no home: no installs unless a test builds some
    bool ended = false;      // set when the last window was unloaded
    QStringList opened;      // the stand-ins created, in order
    QStringList reloaded;    // the stand-ins told to read their paths again
    WindowRegistry windows{[this] { ended = true; }};
    AppContext context{windows, desktop, games, settings, network, installs};
};
}  // namespace skyloom::test
