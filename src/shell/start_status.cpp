#include "shell/start_status.h"

#include <QAccessible>
#include <QMainWindow>
#include <QStatusBar>

#include "shell/outside_text.h"
#include "shell/start_failure.h"

namespace skyloom {

StartStatusLine::StartStatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("startStatus"));
    // A long command never widens the window: what does not fit is in the tooltip, and the
    // player may select and copy it. A name would hide the text from a screen reader.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextFormat(Qt::PlainText);
    setMinimumHeight(fontMetrics().lineSpacing() * 2);  // the command, then the output's place
    clear_.setSingleShot(true);
    clear_.setInterval(kShownMs);
    connect(&clear_, &QTimer::timeout, this, [this] { showStarted({}); });
}

void StartStatusLine::showStarted(const QString& text) {
    setText(text);
    setToolTip(text);
    setAccessibleDescription(text);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    if (!text.isEmpty()) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
        clear_.start();
    }
}

StartStatusLine* addStartStatusLine(QMainWindow* window) {
    auto* line = new StartStatusLine(window);
    window->statusBar()->addWidget(line, 1);
    window->statusBar()->setSizeGripEnabled(true);
    return line;
}

bool startGame(const AppContext& context, QWidget* window, StartStatusLine* line,
               const GameCommand& command, const std::optional<std::string>& workingFolder,
               WindowState state) {
    StartResult result = context.games.StartGame(command, workingFolder, state);
    if (result.ok) {
        const std::string tried =
            maskedCommandLine(result.tried.empty() ? command.line() : result.tried);
        if (line)
            line->showStarted(
                QStringLiteral("Started: %1\n%2").arg(shownLine(tried), shownLine(result.output)));
        return true;
    }
    const std::string held = context.settings.readPath("program", "");
    if (!held.empty()) result.program = held;
    if (!result.missing || !window) {
        reportStartFailure(context.desktop, window, result);
        return false;
    }
    const QString offer = startFailureText(result) +
                          QStringLiteral("\n\nOpen the configuration window to choose the game?");
    if (context.desktop.message(window, offer, QStringLiteral("Skyloom"), MessageButtons::YesNo,
                                MessageIcon::Critical) == MessageAnswer::Yes)
        context.windows.show(QStringLiteral("config"));
    return false;
}

}  // namespace skyloom
