#include "app/start_failure.h"

#include "maps/map_name.h"

namespace skyloom {

void reportStartFailure(Desktop& desktop, QWidget* parent, const StartResult& result) {
    QString text = QStringLiteral("The game could not be started.\n\nProgram: %1\n")
                       .arg(QString::fromStdString(result.program));
    if (!result.tried.empty())
        text += QStringLiteral("Tried: %1\n").arg(QString::fromStdString(result.tried));
    text += QStringLiteral("Reason: %1").arg(QString::fromStdString(result.reason));
    desktop.message(parent, text, QStringLiteral("Skyloom"), MessageButtons::Ok,
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
