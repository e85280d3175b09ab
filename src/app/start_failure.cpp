#include "app/start_failure.h"

namespace skyloom {

void reportStartFailure(Desktop& desktop, QWidget* parent, const StartResult& result) {
    const QString text =
        QStringLiteral("The game could not be started.\n\nProgram: %1\nReason: %2")
            .arg(QString::fromStdString(result.program), QString::fromStdString(result.reason));
    desktop.message(parent, text, QStringLiteral("Skyloom"), MessageButtons::Ok,
                    MessageIcon::Critical);
}

void refuseMapName(Desktop& desktop, QWidget* parent) {
    desktop.message(parent,
                    QStringLiteral("The game cannot load a map whose name holds a blank, a double "
                                   "quote or a ';'.\nChoose another map or rename its file."),
                    QStringLiteral("Map name"), MessageButtons::Ok, MessageIcon::Exclamation);
}

}  // namespace skyloom
