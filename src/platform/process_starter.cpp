#include "platform/process_starter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/command_line.h"

namespace skyloom {
namespace {

bool startsWithMZ(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(2) == "MZ";
}

StartResult refused(const std::string& program, const std::string& reason) {
    return {false, program, reason};
}

}  // namespace

StartResult ProcessStarter::StartGame(const std::string& commandLine,
                                      const std::optional<std::string>& workingFolder,
                                      WindowState /*state: no show state to pass on Linux*/) {
    if (workingFolder && !QDir::setCurrent(QString::fromStdString(*workingFolder))) {
        return refused(commandLine.substr(0, commandLine.find(' ')),
                       "The folder \"" + *workingFolder + "\" does not exist.");
    }
    const QDir current = QDir::current();
    CommandLine parsed = parseCommandLine(commandLine, [&](const std::string& candidate) {
        return QFileInfo(current, QString::fromStdString(candidate)).isFile();
    });
    if (parsed.program.empty()) return refused(parsed.program, "The command line is empty.");

    const QFileInfo file(current, QString::fromStdString(parsed.program));
    if (!file.exists()) return refused(parsed.program, "No such file.");
    if (!file.isFile()) return refused(parsed.program, "It is a folder, not a program.");

    QString program = file.absoluteFilePath();
    QStringList arguments;
    for (const std::string& a : parsed.arguments) arguments << QString::fromStdString(a);

    if (startsWithMZ(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty())
            return refused(parsed.program,
                           "It is a Windows program and wine was not found on PATH.");
        arguments.prepend(program);
        program = wine;
    } else if (!file.isExecutable()) {
        return refused(parsed.program, "The file is not executable.");
    }

    if (!QProcess::startDetached(program, arguments, current.absolutePath()))
        return refused(parsed.program, "The system could not start it.");
    return {true, parsed.program, {}};
}

}  // namespace skyloom
