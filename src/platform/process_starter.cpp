#include "platform/process_starter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "games/start_plan.h"
#include "platform/command_line.h"

namespace skyloom {
namespace {

bool startsWithMZ(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(2) == "MZ";
}

FileFacts factsOf(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    const bool file = info.isFile();
    return {info.exists(), file, file && info.isExecutable(),
            file && startsWithMZ(info.absoluteFilePath())};
}

QString canonical(const std::string& path) {
    const QString c = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
    return c.isEmpty() ? QString::fromStdString(path) : c;
}

}  // namespace

InstallSearch ProcessStarter::installSearch() const {
    return {QDir::homePath().toStdString(), qEnvironmentVariable("WINEPREFIX").toStdString()};
}

StartResult ProcessStarter::StartGame(const std::string& commandLine,
                                      const std::optional<std::string>& workingFolder,
                                      WindowState /*state: no show state to pass on Linux*/) {
    if (workingFolder && !QDir::setCurrent(QString::fromStdString(*workingFolder))) {
        return {false,
                commandLine.substr(0, commandLine.find(' ')),
                "The folder \"" + *workingFolder + "\" does not exist.",
                {}};
    }
    const QDir current = QDir::current();
    const CommandLine parsed = parseCommandLine(commandLine, [&](const std::string& candidate) {
        return QFileInfo(current, QString::fromStdString(candidate)).isFile();
    });
    if (parsed.program.empty()) return {false, parsed.program, "The command line is empty.", {}};

    const InstallSearch search = installSearch();
    const StartLookups lookups{
        factsOf,
        [](const std::string& name) {
            return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
        },
        [&search](const std::string& folder) -> std::optional<SteamOwner> {
            // Only asked about the game's own programs: a few known places, read at this moment.
            const QString wanted = canonical(folder);
            for (const GameInstall& install : findInstalls(search).installs)
                if (install.kind != InstallKind::Wine && canonical(install.folder) == wanted)
                    return SteamOwner{install.kind, install.steamRoot};
            return std::nullopt;
        }};
    const StartDecision decision = decideStart(parsed.program, parsed.arguments,
                                               current.absolutePath().toStdString(), lookups);
    if (!decision.plan) return {false, parsed.program, decision.reason, decision.tried};

    const StartPlan& plan = *decision.plan;
    QProcess process;
    process.setProgram(QString::fromStdString(plan.program));
    QStringList arguments;
    for (const std::string& a : plan.arguments) arguments << QString::fromStdString(a);
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(plan.workingFolder));
    if (!plan.environment.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : plan.environment)
            environment.insert(QString::fromStdString(name), QString::fromStdString(value));
        process.setProcessEnvironment(environment);
    }
    if (!process.startDetached())
        return {false, parsed.program, "The system could not start it.", decision.tried};
    return {true, parsed.program, {}, decision.tried};
}

}  // namespace skyloom
