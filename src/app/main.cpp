#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <cstring>

#include "app/map_info_mode.h"
#include "app/qt_desktop.h"
#include "app/query_mode.h"
#include "app/register_windows.h"
#include "platform/application_folder.h"
#include "platform/process_starter.h"
#include "platform/program_info.h"

namespace {

// The options of `skyloom`; --help and --version print and end the program.
std::optional<std::string> settingsOption(const QCoreApplication& app, QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("A launcher for Half-Life and Team Fortress Classic."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("Keeps the settings in FILE instead of skyloom.ini beside the program or "
                       "in the configuration folder."),
        QStringLiteral("FILE"));
    parser.addOption(settings);
    parser.addOption({QStringLiteral("map-info"),
                      QStringLiteral("Prints the map's title and the files it needs that are not "
                                     "installed, then ends."),
                      QStringLiteral("FILE.bsp")});
    parser.addOption({QStringLiteral("query"),
                      QStringLiteral("Asks the server (port 27015 by default) for its information "
                                     "and players, prints them, then ends."),
                      QStringLiteral("HOST[:PORT]")});
    parser.process(app);
    if (!parser.isSet(settings)) return std::nullopt;
    return parser.value(settings).toStdString();
}

// Help, version and the modes that print an answer need no display: a terminal without one still
// gets them.
bool onlyPrints(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
        for (const char* mode : {"--map-info", "--query"})
            if (std::strncmp(argv[i], mode, std::strlen(mode)) == 0) return true;
    }
    return false;
}

void nameProgram() {
    QCoreApplication::setApplicationName(QLatin1String(skyloom::kProgramName));
    QCoreApplication::setApplicationVersion(QLatin1String(skyloom::kProgramVersion));
}

}  // namespace

int main(int argc, char* argv[]) {
    nameProgram();
    if (onlyPrints(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        QCommandLineParser parser;
        settingsOption(terminal, parser);
        if (parser.isSet(QStringLiteral("map-info")))
            return skyloom::runMapInfo(
                QFile::encodeName(parser.value(QStringLiteral("map-info"))).toStdString());
        if (parser.isSet(QStringLiteral("query")))
            return skyloom::runQuery(parser.value(QStringLiteral("query")).toStdString());
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(skyloom::kAppId));
    QCommandLineParser parser;
    const std::optional<std::string> chosenSettings = settingsOption(app, parser);
    // The windows' fixed layouts are drawn for a small dialog font.
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    QApplication::setFont(font);
    // The registry decides when the program ends: a hidden but loaded window keeps it alive.
    QApplication::setQuitOnLastWindowClosed(false);

    skyloom::QtDesktop desktop;
    skyloom::ProcessStarter games;
    const skyloom::Settings settings(skyloom::settingsFile(chosenSettings));
    skyloom::WindowRegistry windows([] { QCoreApplication::quit(); });
    const skyloom::ServerNetwork network = skyloom::systemServerNetwork();
    const skyloom::AppContext context{windows, desktop, games, settings, network};
    skyloom::registerWindows(context);

    windows.show(QStringLiteral("splash"));
    // Decoding the icon waits until the splash is on screen; the splash gets it then too.
    QTimer::singleShot(0, [] {
        QIcon icon;
        for (const char* size : {"64", "256"})
            icon.addFile(QStringLiteral(":/icons/skyloom-%1.png").arg(QLatin1String(size)));
        QApplication::setWindowIcon(icon);
    });
    return QApplication::exec();
}
