#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <cstdio>
#include <filesystem>

#include "app/application_folder.h"
#include "app/demo_info_mode.h"
#include "app/find_game_mode.h"
#include "app/list_servers_mode.h"
#include "app/map_info_mode.h"
#include "app/preset_mode.h"
#include "app/query_mode.h"
#include "app/register_windows.h"
#include "games/process_starter.h"
#include "platform/command_line.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "shell/qt_desktop.h"
#include "shell/start_status.h"
#include "splash/splash_window.h"

namespace {

// What the command line asks for. `exitStatus` set: the program ends with it at once.
struct Options {
    std::optional<int> exitStatus;
    std::optional<std::string> settings;  // absolute
    // The modes that print an answer and end.
    bool findGame = false;
    std::optional<std::string> mapInfo;
    std::optional<std::string> demoInfo;
    std::optional<std::string> query;
    std::optional<std::string> preset;  // started without a window
    std::optional<skyloom::ListServersOptions> listServers;
};

int fail(const QString& message) {
    std::fprintf(stderr, "skyloom: %s\n", qPrintable(message));
    return 1;
}

// The arguments one character a byte: option names are ASCII, and every value (a preset's name,
// a path) comes back as the bytes given, where UTF-8 decoding would blur those that are not.
QStringList byteArguments(const char* program, const std::vector<std::string>& own) {
    QStringList arguments{QString::fromLatin1(program)};
    for (const std::string& a : own)
        arguments << QString::fromLatin1(a.data(), qsizetype(a.size()));
    return arguments;
}

// The program's options by kind, for taking Qt's own apart from them.
const std::vector<std::string> kOptionsWithValue = {"settings", "map-info", "demo-info", "query",
                                                    "preset",   "game",     "master"};
const std::vector<std::string> kOptionFlags = {"help", "help-all", "version", "find-game",
                                               "list-servers"};

std::string bytes(const QString& value) {
    return value.toLatin1().toStdString();
}

QString shown(const QString& value) {
    return QString::fromLocal8Bit(value.toLatin1());
}

// Read before any window exists, so a wrong option is reported without a display. `arguments`
// are the program's own: Qt's were taken out before.
Options readOptions(const QStringList& arguments, const std::string& unknown) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A launcher for Half-Life and Team Fortress Classic."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("Keeps the settings in FILE instead of skyloom.ini beside the program or "
                       "in the configuration folder."),
        QStringLiteral("FILE"));
    const QCommandLineOption findGame(
        QStringLiteral("find-game"),
        QStringLiteral("Prints the copies of Half-Life found on this machine, one a line: kind, "
                       "program, maps folder, TFC maps folder or -, separated by tabs."));
    const QCommandLineOption mapInfo(
        QStringLiteral("map-info"),
        QStringLiteral("Prints the map's title and the files it needs that are not installed, "
                       "then ends."),
        QStringLiteral("FILE.bsp"));
    const QCommandLineOption demoInfo(
        QStringLiteral("demo-info"),
        QStringLiteral("Prints the demo's map, game folder, length in seconds and protocol, "
                       "separated by tabs, then ends."),
        QStringLiteral("FILE.dem"));
    const QCommandLineOption query(
        QStringLiteral("query"),
        QStringLiteral("Asks the server (port 27015 by default) for its information and players, "
                       "prints them, then ends."),
        QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption preset(
        QStringLiteral("preset"),
        QStringLiteral("Starts the game with the preset NAME, as the main window would, without "
                       "opening a window."),
        QStringLiteral("NAME"));
    const QCommandLineOption listServers(
        QStringLiteral("list-servers"),
        QStringLiteral("Prints the internet servers of the game that answer, fastest first: "
                       "address, name, map, players/max, ping, separated by tabs."));
    const QCommandLineOption game(QStringLiteral("game"),
                                  QStringLiteral("The game --list-servers lists: valve or tfc."),
                                  QStringLiteral("GAME"), QStringLiteral("valve"));
    const QCommandLineOption master(
        QStringLiteral("master"),
        QStringLiteral("The master server --list-servers asks instead of the one in the settings."),
        QStringLiteral("HOST:PORT"));
    // Qt's own, listed here for --help only: they were taken out before the parser sees them.
    const QCommandLineOption platform(
        QStringLiteral("platform"),
        QStringLiteral("Qt's: draws the windows through the platform plugin NAME (xcb, wayland, "
                       "offscreen)."),
        QStringLiteral("NAME"));
    const QCommandLineOption style(QStringLiteral("style"),
                                   QStringLiteral("Qt's: draws the controls in the style NAME."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption reverse(QStringLiteral("reverse"),
                                     QStringLiteral("Qt's: lays the windows out right to left."));
    parser.addOptions({settings, findGame, mapInfo, demoInfo, query, preset, listServers, game,
                       master, platform, style, reverse});

    Options options;
    // --demo-info answers 1 for a file that is no demo, so its usage errors are 2.
    const int usage = arguments.filter(QRegularExpression("^--demo-info(=|$)")).isEmpty() ? 1 : 2;
    if (!unknown.empty()) {
        options.exitStatus =
            fail(QStringLiteral("Unknown option: %1. See skyloom --help.")
                     .arg(shown(QString::fromLatin1(unknown.data(), qsizetype(unknown.size())))));
        return options;
    }
    if (!parser.parse(arguments)) {
        options.exitStatus =
            fail(shown(parser.errorText()) + QStringLiteral(" See skyloom --help.")) * usage;
        return options;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        options.exitStatus = fail(QStringLiteral("Unexpected argument '%1'. See skyloom --help.")
                                      .arg(shown(parser.positionalArguments().constFirst()))) *
                             usage;
        return options;
    }
    options.findGame = parser.isSet(findGame);
    if (parser.isSet(mapInfo)) options.mapInfo = bytes(parser.value(mapInfo));
    if (parser.isSet(demoInfo)) options.demoInfo = bytes(parser.value(demoInfo));
    if (parser.isSet(query)) options.query = bytes(parser.value(query));
    if (parser.isSet(preset)) options.preset = bytes(parser.value(preset));
    if (parser.isSet(listServers)) {
        options.listServers = skyloom::ListServersOptions{bytes(parser.value(game)), {}};
        if (parser.isSet(master)) options.listServers->master = bytes(parser.value(master));
    }
    if (parser.isSet(settings)) {
        // Made absolute once: a start of the game changes the current folder.
        std::error_code error;
        const std::filesystem::path file =
            std::filesystem::absolute(bytes(parser.value(settings)), error);
        const std::filesystem::path folder = file.parent_path();
        if (!skyloom::isFolder(folder)) {
            options.exitStatus = fail(QStringLiteral("--settings %1: the folder %2 does not exist.")
                                          .arg(shown(parser.value(settings)),
                                               QString::fromLocal8Bit(folder.string().c_str())));
            return options;
        }
        options.settings = file.string();
    }
    return options;
}

void nameProgram() {
    QCoreApplication::setApplicationName(QLatin1String(skyloom::kProgramName));
    QCoreApplication::setApplicationVersion(QLatin1String(skyloom::kProgramVersion));
}

}  // namespace

int main(int argc, char* argv[]) {
    nameProgram();
    std::string settingsPath;
    bool settingsChosen = false;  // named by --settings: a missing one is no first start
    std::optional<std::string> preset;
    const skyloom::ProgramArguments sorted = skyloom::sortArguments(
        std::vector<std::string>(argv + 1, argv + argc), kOptionsWithValue, kOptionFlags);
    {
        // Options, help and the printing modes need no display.
        const QCoreApplication terminal(argc, argv);
        const Options options = readOptions(byteArguments(argv[0], sorted.own), sorted.unknown);
        if (options.exitStatus) return *options.exitStatus;
        if (options.findGame) return skyloom::runFindGame();
        if (options.mapInfo) return skyloom::runMapInfo(*options.mapInfo);
        if (options.demoInfo) return skyloom::runDemoInfo(*options.demoInfo);
        if (options.query) return skyloom::runQuery(*options.query);
        settingsPath = skyloom::settingsFile(options.settings);
        settingsChosen = options.settings.has_value();
        if (options.listServers)
            return skyloom::runListServers(*options.listServers, skyloom::Settings(settingsPath),
                                           skyloom::systemServerNetwork());
        preset = options.preset;
    }
    if (settingsPath.empty())
        return fail(
            QStringLiteral("no place for the settings: HOME is not set and the program's "
                           "folder cannot be written. Name a file with --settings FILE."));

    // Qt sees its own options only: a preset called "-stylesheet=FILE" is no option of Qt's.
    std::vector<std::string> qtArguments{argv[0]};
    qtArguments.insert(qtArguments.end(), sorted.toolkit.begin(), sorted.toolkit.end());
    std::vector<char*> qtArgv;
    for (std::string& a : qtArguments) qtArgv.push_back(a.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArguments.size());
    QApplication app(qtArgc, qtArgv.data());
    QGuiApplication::setDesktopFileName(QLatin1String(skyloom::kAppId));
    // The registry decides when the program ends: a hidden but loaded window keeps it alive.
    QApplication::setQuitOnLastWindowClosed(false);

    skyloom::QtDesktop desktop;
    const skyloom::InstallSearch installs = skyloom::systemInstallSearch();
    skyloom::ProcessStarter games(
        installs, [&desktop](const skyloom::GameEnded& ended) { reportGameEnded(desktop, ended); });
    const skyloom::Settings settings(settingsPath, settingsChosen);
    skyloom::WindowRegistry windows([] { QCoreApplication::quit(); });
    const skyloom::ServerNetwork network = skyloom::systemServerNetwork();
    const skyloom::AppContext context{windows, desktop, games, settings, network, installs};
    // A preset needs the display too: it may ask about a map's missing files, and its failures
    // are told in a box.
    if (preset) return skyloom::runPreset(context, *preset);
    skyloom::registerWindows(context);

    skyloom::openFirstWindow(context);
    return QApplication::exec();
}
