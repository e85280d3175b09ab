// The connection tool's door: a join, typed or listed, asks for the password a server wants,
// offers to wait for a place on a full one and starts the game.
#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "connect/connection_tool.h"
#include "connect/server_list_model.h"
#include "servers/server_querier.h"
#include "ui_connection_tool.h"

namespace skyloom {

namespace {

constexpr int kTypedAnswerMs = 1000;  // a player at the door waits no longer

QString minutes(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool full(const ServerInfo& info) {
    return info.maxPlayers > 0 && info.players >= info.maxPlayers;
}

}  // namespace

void ConnectionTool::setUpDoor() {
    typedTimer_.setSingleShot(true);
    tickTimer_.setInterval(1000);
    connect(&typedTimer_, &QTimer::timeout, this, [this] { typedAnswered(nullptr); });
    connect(&pollTimer_, &QTimer::timeout, this, [this] { querier_->query(wait_->server); });
    connect(&tickTimer_, &QTimer::timeout, this, &ConnectionTool::showWait);
}

void ConnectionTool::joinTyped() {
    const std::optional<ServerAddress> server = checkedFields();
    if (!server) return;
    // Asked first, as a listed server was: its password and its room are known at the door.
    typed_ = server;
    typedTimer_.start(kTypedAnswerMs);
    querier_->query(*server);
}

void ConnectionTool::typedAnswered(const ServerAnswer* answer) {
    const ServerAddress server = *std::exchange(typed_, std::nullopt);
    typedTimer_.stop();
    if (answer && answer->status == ServerAnswer::Status::Answered)
        return joinServer(server, answer);
    // Said where it stays: the start's own line follows at once.
    doorStatus_->setText(QStringLiteral("%1 did not answer; joined as typed.")
                             .arg(QString::fromStdString(formatServerAddress(server))));
    doorStatus_->show();
    joinServer(server, nullptr);
}

void ConnectionTool::joinServer(const ServerAddress& server, const ServerAnswer* known) {
    std::optional<std::string> password;
    const QString name = known ? serverText(known->info.name) : QString();
    if (known && known->info.password) {
        // Asked each time and never kept: it is the server's secret, not a setting.
        const std::optional<QString> typed = context_.desktop.askSecret(
            this, QStringLiteral("Server password"),
            QStringLiteral("%1 asks for a password to join.").arg(known->address()));
        if (!typed) return;
        password = typed->toStdString();
        if (const auto problem = passwordProblem(*password)) {
            context_.desktop.message(this, QString::fromStdString(*problem),
                                     QStringLiteral("Skyloom"), MessageButtons::Ok,
                                     MessageIcon::Exclamation);
            return;
        }
    }
    if (known && full(known->info)) {
        const QString question = QStringLiteral("%1 is full (%2 of %3). Join when a place frees?")
                                     .arg(name)
                                     .arg(known->info.players)
                                     .arg(known->info.maxPlayers);
        if (context_.desktop.message(this, question, QStringLiteral("Skyloom"),
                                     MessageButtons::YesNo,
                                     MessageIcon::Information) == MessageAnswer::Yes)
            waitForPlace(server, password);
        return;
    }
    startJoin(server, password);
}

void ConnectionTool::startJoin(const ServerAddress& server,
                               const std::optional<std::string>& password) {
    if (!startGame(context_, this, startStatus_, {ComposeConnectCommand(server, password)})) return;
    rememberJoin(server);
    // "Close" means what it says: once the game is on its way the tool goes, and with it the
    // program, as the main window's close-after-launch does.
    if (ui_->close->isChecked()) context_.windows.unload(objectName());
}

void ConnectionTool::waitForPlace(const ServerAddress& server,
                                  const std::optional<std::string>& password) {
    const ServerAnswer* known = store_->answered(server);
    if (wait_) endWait({});  // one wait at a time: the newest wins
    wait_ = Wait{server, password, known ? serverText(known->info.name) : QString(), {}};
    wait_->since.start();
    // Politely: a server is asked no more often than this, whatever answers in between.
    pollTimer_.setInterval(std::max(context_.network.fullPollMs, 1));
    pollTimer_.start();
    tickTimer_.start();
    cancelWait_->show();
    showWait();
}

void ConnectionTool::showWait() {
    if (!wait_) return;
    const qint64 waited = wait_->since.elapsed();
    if (waited >= context_.network.fullWaitMs)
        return endWait(QStringLiteral("Stopped waiting for a place on %1: none freed in %2.")
                           .arg(wait_->name, minutes(context_.network.fullWaitMs)));
    store_->setNote(wait_->server, QStringLiteral("waiting %1").arg(minutes(waited)));
    doorStatus_->setText(
        QStringLiteral("Waiting for a place on %1: %2").arg(wait_->name, minutes(waited)));
    doorStatus_->show();
}

void ConnectionTool::waitAnswered(const ServerAnswer& answer) {
    if (answer.status != ServerAnswer::Status::Answered || full(answer.info)) return;
    const Wait done = *wait_;
    endWait(QStringLiteral("A place freed on %1: joining.").arg(done.name));
    context_.desktop.alert(this);
    startJoin(done.server, done.password);
}

void ConnectionTool::endWait(const QString& why) {
    if (!wait_) return;
    store_->setNote(wait_->server, {});
    wait_.reset();
    pollTimer_.stop();
    tickTimer_.stop();
    cancelWait_->hide();
    doorStatus_->setText(why);
    doorStatus_->setVisible(!why.isEmpty());
}

}  // namespace skyloom
