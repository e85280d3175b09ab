#include "test_app.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QThreadPool>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace skyloom::test {

namespace {
// Another folder's window: an empty window that notes when it is told to read its paths again.
struct StandIn final : QWidget, PathsReload {
    explicit StandIn(QStringList& reloaded) : reloaded_(reloaded) {}
    void reloadPaths() override { reloaded_ << objectName(); }
    QStringList& reloaded_;
};
}  // namespace

QString spokenName(QWidget* control) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    const auto labels = a->relations(QAccessible::Label);
    return (labels.isEmpty() ? a : labels.first().first)->text(QAccessible::Name);
}

std::string readFile(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TestApp::TestApp()
    : settings(dir.path().toStdString() + "/skyloom.ini"),
      network{[] { return QList<QHostAddress>{QHostAddress(QHostAddress::LocalHost)}; },
              0,
              0,
              500,
              {500, 2},
              50,
              {},
              {},
              [](const QHostAddress& to) { return to.isLoopback(); }},
      windows([this] { ended = true; }),
      context{windows, desktop, games, settings, network, installs} {
    // The map lists keep what they read there, never in the real ~/.cache.
    qputenv("XDG_CACHE_HOME", dir.path().toUtf8() + "/cache");
    for (const char* name : {"splash", "sp", "DM", "frmAdvanced", "firstuse1", "firstuse2",
                             "firstuseconfig", "firstusedone", "config", "DirMaps", "DirMapsTFC",
                             "configtfc", "connect", "frmAbout", "secret"})
        windows.add(name, [this, name] { return opened << name, new StandIn(reloaded); });
}

TestApp::~TestApp() {
    windows.unloadAll();
    processDeletes();
    // Map lists read on in the background until they see they are closed: then the folder goes.
    QThreadPool::globalInstance()->waitForDone();
}

void TestApp::writeIni(const std::string& text) const {
    writeFile(iniPath(), text);
}
std::string TestApp::readIni() const {
    return readFile(iniPath());
}

std::string TestApp::makeFolder(const std::string& name,
                                const std::vector<std::string>& files) const {
    const std::string path = folder() + "/" + name;
    std::filesystem::create_directories(path);
    for (const std::string& f : files) writeFile(path + "/" + f, "");
    return path;
}

void TestApp::processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}  // namespace skyloom::test
