#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "fake_desktop.h"
#include "fake_game_starter.h"
#include "shell/app_context.h"

namespace skyloom::test {

// A whole program for one test: a temporary application folder, fake message boxes and a fake
// game start. Every window name of the program is registered as a stand-in that records its
// opening; a test adds the real windows of its own folder over them.
class TestApp {
public:
    TestApp();
    ~TestApp();
    template <class Window>
    void add(const char* name) {
        windows.add(QString::fromLatin1(name), [this] { return new Window(context); });
    }
    std::string folder() const { return dir.path().toStdString(); }
    std::string iniPath() const { return settings.filePath(); }
    void writeIni(const std::string& text) const;  // exactly these bytes
    std::string readIni() const;                   // empty when there is no file
    // A folder below the application folder holding empty files of these names.
    std::string makeFolder(const std::string& name,
                           const std::vector<std::string>& files = {}) const;
    // Runs pending deletions, as the event loop does, so closed windows leave the registry.
    static void processDeletes();
    QTemporaryDir dir;
    FakeDesktop desktop;
    FakeGameStarter games;
    Settings settings;
    ServerNetwork network;   // loopback only, short time-outs
    InstallSearch installs;  // no home: no installs unless a test builds some
    bool ended = false;      // set when the last window was unloaded
    QStringList opened;      // the stand-ins created, in order
    QStringList reloaded;    // the stand-ins told to read their paths again
    WindowRegistry windows;
    AppContext context;
};

// What a screen reader says a control is: the label that names it (Qt on Linux names a combo box
// by a buddy label), else its own name.
QString spokenName(QWidget* control);

// A window's control by its object name, in a struct whose first member is `QWidget* window`.
#define CONTROL(Type, name) Type* name = window->findChild<Type*>(QStringLiteral(#name))

std::string readFile(const std::string& path);  // empty when it does not exist
void writeFile(const std::string& path, const std::string& bytes);
}  // namespace skyloom::test
