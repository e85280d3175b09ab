#include "app/start_failure.h"

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

}  // namespace skyloom
