// The README's pictures, taken from the real windows over a made-up game folder: run by
// `make screenshots` (and in CI), so they show the windows as they are built today.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "app/register_windows.h"
#include "games/process_starter.h"
#include "servers/server_network.h"
#include "shell/qt_desktop.h"

namespace {

void write(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

std::string le32(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// The smallest map the game's format allows: its world entity, one plane, no textures.
std::string smallMap() {
    const std::string entities = "{\n\"classname\" \"worldspawn\"\n}\n" + std::string(1, '\0');
    const std::string planes(20, '\x01'), textures = le32(0);
    std::string header = le32(30);
    const uint32_t start = 4 + 15 * 8;
    const uint32_t ranges[15][2] = {
        {start, uint32_t(entities.size())},
        {start + uint32_t(entities.size()), uint32_t(planes.size())},
        {start + uint32_t(entities.size() + planes.size()), uint32_t(textures.size())}};
    for (const auto& r : ranges) header += le32(r[0]) + le32(r[1]);
    return header + entities + planes + textures;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tool FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    // Nothing of the player's: the state, the caches and the settings live in the made-up home.
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
    const QString game = home.filePath("Half-Life/");
    for (const char* map :
         {"boot_camp", "bounce", "crossfire", "datacore", "frenzy", "gasworks", "lambda_bunker",
          "rapidcore", "snark_pit", "stalkyard", "subtransit", "undertow"})
        write(game + "valve/maps/" + map + ".bsp", smallMap());
    write(game + "hl.sh", "");
    const std::string ini =
        "[MISC]\nfirstuse=no\ntfc=false\nuser=Gordon\n[GAMEDIR]\nprogram=" + game.toStdString() +
        "hl.sh\nmaps=" + game.toStdString() + "valve/maps\nvalve=" + game.toStdString() +
        "valve/\n";
    write(home.filePath("skyloom.ini"), ini);

    skyloom::QtDesktop desktop;
    const skyloom::InstallSearch installs{home.path().toStdString(), ""};
    skyloom::ProcessStarter games(installs, [](const skyloom::GameEnded&) {});
    const skyloom::Settings settings(home.filePath("skyloom.ini").toStdString());
    skyloom::WindowRegistry windows([] {});
    skyloom::ServerNetwork network = skyloom::systemServerNetwork();
    network.mayReach = [](const QHostAddress&) { return false; };  // pictures send nothing
    const skyloom::AppContext context{windows, desktop, games, settings, network, installs};
    skyloom::registerWindows(context);

    const std::pair<const char*, const char*> shots[] = {{"sp", "main-window.png"},
                                                         {"DM", "deathmatch-maker.png"},
                                                         {"connect", "connection-tool.png"}};
    for (const auto& [name, file] : shots) {
        QWidget* w = windows.show(QString::fromLatin1(name));
        if (!w) return 1;
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        if (!w->grab().save(out + QLatin1Char('/') + QLatin1String(file))) {
            std::fprintf(stderr, "screenshot_tool: cannot write %s/%s\n", argv[1], file);
            return 1;
        }
        windows.unload(QString::fromLatin1(name));
    }
    return 0;
}
