#include "shell/start_failure.h"

#include "maps/map_name.h"
#include "shell/outside_text.h"

namespace skyloom {

QString startFailureText(const std::string& program, const StartResult& result) {
    QString text = QStringLiteral("The game could not be started.\n\nProgram: %1\n")
                       .arg(QString::fromStdString(program));
    if (!result.tried.words.empty())
        text += QStringLiteral("Tried: %1\n").arg(QString::fromStdString(result.tried.text()));
    return text + QStringLiteral("Reason: %1").arg(QString::fromStdString(result.reason));
}

void reportGameEnded(Desktop& desktop, const GameEnded& ended) {
    QString text =
        QStringLiteral("The game ended as soon as it started.\n\nTried: %1\nEnded with: %2")
            .arg(shownText(ended.tried), QString::fromStdString(ended.status));
    if (!ended.lastLines.empty())
        text += QStringLiteral("\n\nThe last lines it wrote:\n%1").arg(shownText(ended.lastLines));
    if (!ended.log.empty())
        text += QStringLiteral("\n\nAll it wrote is in %1.").arg(shownText(ended.log));
    desktop.message(nullptr, text, QStringLiteral("Skyloom"), MessageButtons::Ok,
                    MessageIcon::Critical);
}

bool refuseUnloadableMapName(Desktop& desktop, QWidget* parent, const std::string& name) {
    const std::optional<std::string> problem = mapNameProblem(name);
    if (!problem) return false;
    desktop.message(parent,
                    QStringLiteral("The game cannot load a map whose name holds %1.\nChoose "
                                   "another map or rename its file.")
                        .arg(QString::fromStdString(*problem)),
                    QStringLiteral("Map name"), MessageButtons::Ok, MessageIcon::Exclamation);
    return true;
}

}  // namespace skyloom
