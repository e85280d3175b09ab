// The connection tool's server queries, favourites and LAN search.
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cmath>

#include "connect/connection_tool.h"
#include "connect/favourites.h"
#include "connect/server_list_model.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "shell/save_settings.h"
#include "shell/window_memory.h"
#include "ui_connection_tool.h"

namespace skyloom {

namespace {

// "m:ss" or "h:mm:ss"; whatever float a server sends (NaN, negative, huge) stays a time.
QString timePlayed(float seconds) {
    const double s = std::isfinite(seconds) ? std::clamp(double{seconds}, 0.0, 359999.0) : 0.0;
    const int whole = static_cast<int>(s);
    const QString ms =
        QStringLiteral("%1:%2").arg((whole / 60) % 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (whole < 3600) return ms;
    return QStringLiteral("%1:%2").arg(whole / 3600).arg(ms.rightJustified(5, QLatin1Char('0')));
}

}  // namespace

void ConnectionTool::setUp() {
    // Server names come from anywhere: never let one be read as markup.
    for (QLabel* l : findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
    ui_->cmdRemove->setEnabled(false);
    ui_->lblStatus->hide();
    // Room for what the fields hold, in the font in use.
    for (auto [field, text] : {std::pair{ui_->ipadress, "255.255.255.255"}, {ui_->port, "65535"}})
        field->setMinimumWidth(field->minimumSizeHint().width() +
                               field->fontMetrics().horizontalAdvance(QLatin1String(text)));
    sizeColumns();
    ui_->lstPlayers->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui_->lstPlayers->header()->setStretchLastSection(false);
    for (int column : {1, 2})
        ui_->lstPlayers->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    addRowActions();
    setUpDoor();
    // The list gets what the window gains; the details keep what they need.
    ui_->splitServers->setStretchFactor(0, 1);
    ui_->splitServers->setStretchFactor(1, 0);
    fitScreen();
    // As the player left them: the window, the columns, the splitter and the details folded.
    rememberGeometry(this);
    rememberColumns(ui_->lstServers->header(), objectName() + QStringLiteral(".columns"));
    rememberSplitter(ui_->splitServers, objectName() + QStringLiteral(".splitter"));
    QPushButton* details = ui_->cmdDetails;
    rememberPart(
        this, objectName() + QStringLiteral(".details"),
        [details](const QByteArray& shown) { details->setChecked(shown != "0"); },
        [details] { return QByteArray(details->isChecked() ? "1" : "0"); });
    ui_->paneDetails->setVisible(details->isChecked());

    ServerList favourites = readFavourites(context_.settings);
    favouritesLeftOut_ = favourites.leftOut;
    store_->setList(ServerStore::kFavourites, std::move(favourites.servers));
    loadListSettings();
    queryAll(store_->list(ServerStore::kFavourites));
}

void ConnectionTool::queryAll(const std::vector<ServerAddress>& servers) {
    for (const ServerAddress& server : servers) querier_->query(server);
}

void ConnectionTool::storeAnswer(const ServerAnswer& answer) {
    store_->setAnswer(answer);
    if (answer.server == shown_) showInformation(&answer);
    if (answer.server == typed_) typedAnswered(&answer);
    if (wait_ && answer.server == wait_->server) waitAnswered(answer);
    if (!progressTimer_.isActive()) progressTimer_.start();
}

void ConnectionTool::showInformation(const ServerAnswer* answer) {
    const bool ok = answer && answer->status == ServerAnswer::Status::Answered;
    const ServerInfo i = ok ? answer->info : ServerInfo{};
    auto yesNo = [](bool b) { return b ? QStringLiteral("Yes") : QStringLiteral("No"); };
    ui_->lblStatus->setText(answer && !ok ? failureText(*answer) : QString());
    ui_->lblStatus->setVisible(!ui_->lblStatus->text().isEmpty());  // a row less on small screens
    ui_->lblName->setText(ok ? serverText(i.name) : QString());
    ui_->lblMap->setText(ok ? serverText(i.map) : QString());
    ui_->lblFolder->setText(ok ? serverText(i.folder) : QString());
    ui_->lblPlayerCount->setText(ok ? playerCount(i) : QString());
    ui_->lblPing->setText(ok ? pingText(*answer) : QString());
    ui_->lblPassword->setText(ok ? yesNo(i.password) : QString());
    ui_->lblVac->setText(ok ? yesNo(i.vac) : QString());
    ui_->lstPlayers->clear();
    if (!ok) return;
    if (answer->playersStatus != ServerAnswer::Status::Answered)
        new QTreeWidgetItem(ui_->lstPlayers,
                            {answer->playersStatus == ServerAnswer::Status::NoAnswer
                                 ? QStringLiteral("Players: no answer")
                                 : QStringLiteral("Players: invalid answer")});
    for (const PlayerEntry& p : answer->players)
        new QTreeWidgetItem(ui_->lstPlayers,
                            {serverText(p.name), QString::number(p.score), timePlayed(p.seconds)});
}

std::optional<ServerAddress> ConnectionTool::checkedFields() {
    const ServerAddressCheck check =
        checkServerAddress(ui_->ipadress->text().toStdString(), ui_->port->text().toStdString());
    if (!check.problem) return check.server;
    context_.desktop.message(this, QString::fromStdString(*check.problem),
                             QStringLiteral("Skyloom"), MessageButtons::Ok,
                             MessageIcon::Exclamation);
    return std::nullopt;
}

void ConnectionTool::queryTyped() {
    shown_.reset();
    showInformation(nullptr);
    if (const auto server = checkedFields()) queryShown(*server);
}

void ConnectionTool::queryShown(const ServerAddress& server) {
    // Whatever the group showed was another server's: it goes before anything is asked.
    shown_ = server;
    showInformation(store_->answered(server));
    querier_->query(server, ServerQuerier::Info | ServerQuerier::Players);
}

bool ConnectionTool::saveFavourites(const std::vector<ServerAddress>& favourites) {
    const auto keys = favouriteWrites(favouriteKeyCount(context_.settings), favourites);
    std::vector<SettingWrite> writes;
    for (const auto& [key, value] : keys) writes.push_back({"SERVERS", key.c_str(), value});
    return saveSettings(context_, this, writes);
}

void ConnectionTool::addFavourite(const ServerAddress& server) {
    if (!store_->isFavourite(server)) {
        std::vector<ServerAddress> favourites = store_->list(ServerStore::kFavourites);
        favourites.push_back(server);
        if (!saveFavourites(favourites)) return;
        store_->add(ServerStore::kFavourites, server);
        querier_->query(server);
    }
    if (const auto row = store_->row(tab(), server))
        ui_->lstServers->setCurrentIndex(view_->mapFromSource(model_->index(*row, 0)));
    showRowActions();
}

void ConnectionTool::removeFavourite(const ServerAddress& server) {
    std::vector<ServerAddress> favourites = store_->list(ServerStore::kFavourites);
    if (!std::erase(favourites, server) || !saveFavourites(favourites)) return;
    store_->remove(ServerStore::kFavourites, server);
    showRowActions();
    showProgress();
}

void ConnectionTool::findLanServers() {
    const ServerNetwork& n = context_.network;
    ui_->tabSources->setCurrentIndex(ServerStore::kLan);
    ui_->cmdFindLan->setEnabled(false);
    querier_->searchLan(n.lanTargets ? n.lanTargets() : QList<QHostAddress>{}, n.firstLanPort,
                        n.lastLanPort, n.lanSearchMs);
}

void ConnectionTool::showSelected() {
    const std::optional<ServerAddress> server = selectedServer();
    ui_->cmdRemove->setEnabled(server && tab() == ServerStore::kFavourites);
    showRowActions();
    if (!server) return;
    ui_->ipadress->setText(QString::fromStdString(server->host));
    ui_->port->setText(QString::number(server->port));
    if (server != shown_) queryShown(*server);
}

std::optional<ServerAddress> ConnectionTool::selectedServer() const {
    const QModelIndex current = ui_->lstServers->currentIndex();
    if (!current.isValid() || !ui_->lstServers->selectionModel()->isSelected(current))
        return std::nullopt;
    return view_->server(current);
}

}  // namespace skyloom
