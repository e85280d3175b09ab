#include "shell/start_status.h"

#include <QAccessible>
#include <QMainWindow>
#include <QStatusBar>

#include "settings/path_value.h"
#include "shell/map_file_list.h"
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

std::optional<GameStart> composeStart(const Settings& settings, GameStart start) {
    start.program = settings.readPath("program", "");
    const std::optional<std::string> folder = folderPart(start.program);
    if (!folder) return std::nullopt;
    start.folder = *folder;
    return start;
}

bool startGame(const AppContext& context, QWidget* window, StartStatusLine* line,
               const StartRequest& request) {
    Desktop& desktop = context.desktop;
    const auto tell = [&](const QString& text, const QString& title, MessageIcon icon) {
        desktop.message(window, text, title, MessageButtons::Ok, icon);
        return false;
    };
    const std::optional<StartMap>& map = request.map;
    if (map && map->file.empty())
        return tell(QStringLiteral("Please select a map"), map->noMapTitle,
                    MessageIcon::Exclamation);
    if (map && refuseUnloadableMapName(desktop, window, map->file)) return false;
    const std::optional<GameStart> start = composeStart(context.settings, request.start);
    if (!start)
        return tell(QStringLiteral("Skyloom does not know where hl.exe is: the path of the game "
                                   "is missing from skyloom.ini.\nSet it in Edit > "
                                   "Configuration, then launch again."),
                    QStringLiteral("Configuration incomplete"), MessageIcon::Exclamation);
    if (map && map->catalogue &&
        !startDespiteMissingFiles(*map->catalogue, desktop, window, map->file, map->row))
        return false;

    const StartResult result = context.games.StartGame(*start);
    if (result.ok) {
        const ShownCommand& tried = result.tried.words.empty() ? start->shown() : result.tried;
        if (line)
            line->showStarted(QStringLiteral("Started: %1\n%2")
                                  .arg(shownText(tried.text()), shownText(result.output)));
        return true;
    }
    const QString failed = startFailureText(start->program, result);
    if (!result.missing || !window)
        return tell(failed, QStringLiteral("Skyloom"), MessageIcon::Critical);
    const QString offer =
        failed + QStringLiteral("\n\nOpen the configuration window to choose the game?");
    if (desktop.message(window, offer, QStringLiteral("Skyloom"), MessageButtons::YesNo,
                        MessageIcon::Critical) == MessageAnswer::Yes)
        context.windows.show(QStringLiteral("config"));
    return false;
}

}  // namespace skyloom
