#include "shell/start_status.h"

#include <QAccessible>
#include <QMainWindow>
#include <QStatusBar>

#include "maps/map_catalogue.h"
#include "maps/map_name.h"
#include "settings/path_value.h"
#include "shell/outside_text.h"

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
    setToolTip(asPlainTip(text));
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

namespace {

// Why the game could not start: the program as the settings hold it, what was tried and why.
QString startFailureText(const std::string& program, const StartResult& result) {
    QString text = QStringLiteral("The game could not be started.\n\nProgram: %1\n")
                       .arg(QString::fromStdString(program));
    if (!result.tried.words.empty())
        text += QStringLiteral("Tried: %1\n").arg(QString::fromStdString(result.tried.text()));
    return text + QStringLiteral("Reason: %1").arg(QString::fromStdString(result.reason));
}

// When the chosen map needs files that are missing, asks the player whether to start anyway.
bool startDespiteMissingFiles(Desktop& desktop, QWidget* parent, const StartRequest& request) {
    MapCatalogue& maps = *request.maps;
    const std::string& file = request.map;
    std::optional<std::size_t> row = request.mapRow;
    // A map listed again since it was chosen is found by its name once more.
    if (row && (*row >= maps.size() || maps.row(*row).map.name != file))
        row = maps.find(file, false);
    // A map that is not listed or cannot be read starts as it always has: the player may know
    // better.
    if (!row) return true;
    const MapCheck& check = maps.checkNow(*row);
    if (!check.readable || check.missing.empty()) return true;
    return desktop.message(parent, shownText(missingFilesMessage(gameMapName(file), check.missing)),
                           QStringLiteral("Missing files"), MessageButtons::YesNo,
                           MessageIcon::Exclamation) == MessageAnswer::Yes;
}

}  // namespace

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
    const bool map = request.maps;
    if (map && request.map.empty())
        return tell(QStringLiteral("Please select a map"), request.noMapTitle,
                    MessageIcon::Exclamation);
    if (const std::optional<std::string> problem = map ? mapNameProblem(request.map) : std::nullopt)
        return tell(QStringLiteral("The game cannot load a map whose name holds %1.\nChoose "
                                   "another map or rename its file.")
                        .arg(QString::fromStdString(*problem)),
                    QStringLiteral("Map name"), MessageIcon::Exclamation);
    const std::optional<GameStart> start = composeStart(context.settings, request.start);
    if (!start)
        return tell(QStringLiteral("Skyloom does not know where hl.exe is: the path of the game "
                                   "is missing from skyloom.ini.\nSet it in Edit > "
                                   "Configuration, then launch again."),
                    QStringLiteral("Configuration incomplete"), MessageIcon::Exclamation);
    if (map && !startDespiteMissingFiles(desktop, window, request)) return false;

    const StartResult result = context.games.StartGame(*start);
    if (result.ok) {
        const ShownCommand& tried = result.tried.words.empty() ? start->shown() : result.tried;
        if (line)
            line->showStarted(QStringLiteral("Started: %1\n%2")
                                  .arg(shownLine(tried.text()), shownLine(result.output)));
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

}  // namespace skyloom
