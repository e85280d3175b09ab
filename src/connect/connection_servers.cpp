// The connection tool's server queries, favourites and LAN search.
#include <QTreeWidgetItem>
#include <cmath>
#include <limits>

#include "connect/connection_tool.h"
#include "connect/favourites.h"
#include "servers/server_querier.h"
#include "servers/server_text.h"
#include "setup/save_settings.h"
#include "ui_connection_tool.h"

namespace skyloom {

namespace {

// A server's text on one line, nothing in it turning the rest around.
QString text(const std::string& bytes) {
    return QString::fromStdString(oneLineName(bytes));
}

QString playerCount(const ServerInfo& info) {
    return QString::fromStdString(playerCountText(info));
}

QString ping(const ServerAnswer& answer) {
    return QStringLiteral("%1 ms").arg(answer.pingMs);
}

// "m:ss" or "h:mm:ss"; whatever float a server sends (NaN, negative, huge) stays a time.
QString timePlayed(float seconds) {
    const double s = std::isfinite(seconds) ? std::clamp(double{seconds}, 0.0, 359999.0) : 0.0;
    const int whole = static_cast<int>(s);
    const QString ms =
        QStringLiteral("%1:%2").arg((whole / 60) % 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (whole < 3600) return ms;
    return QStringLiteral("%1:%2").arg(whole / 3600).arg(ms.rightJustified(5, QLatin1Char('0')));
}

QString failure(const ServerAnswer& answer) {
    return answer.status == ServerAnswer::Status::NoAnswer
               ? QStringLiteral("No answer from %1").arg(answer.address())
               : QStringLiteral("Invalid answer from %1").arg(answer.address());
}

QString addressText(const ServerAddress& a) {
    return QString::fromStdString(formatServerAddress(a));
}

quint16 portNumber(const ServerAddress& a) {
    return static_cast<quint16>(std::stoi(a.port));
}

}  // namespace

void ConnectionTool::Form_Load() {
    // Server names come from anywhere: never let one be read as markup.
    for (QLabel* l : ui_->fraInfo->findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
    ui_->cmdRemove->setEnabled(false);
    for (auto [column, width] : {std::pair{kName, 170}, {kMap, 80}, {kPlayers, 90}, {kPing, 55}})
        ui_->lstServers->setColumnWidth(column, width);
    ui_->lstPlayers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui_->lstPlayers->setColumnWidth(0, 100);
    ui_->lstPlayers->setColumnWidth(1, 42);
    for (const ServerAddress& f : readFavourites(context_.settings))
        favourites_.push_back(addressText(f));
    loadListSettings();
    queryAll(favourites_);
}

void ConnectionTool::queryAll(const std::vector<QString>& addresses) {
    for (const QString& address : addresses)
        if (auto a = parseServerAddress(address.toStdString()))
            querier_->query(QString::fromStdString(a->host), portNumber(*a));
}

bool ConnectionTool::fillRow(QTreeWidgetItem* row) {
    const auto it = answers_.find(row->text(kAddress));
    const ServerAnswer* answer = it == answers_.end() ? nullptr : &it->second;
    const bool ok = answer && answer->status == ServerAnswer::Status::Answered;
    row->setText(kName, ok ? text(answer->info.name) : answer ? failure(*answer) : QString());
    row->setText(kMap, ok ? text(answer->info.map) : QString());
    row->setText(kPlayers, ok ? playerCount(answer->info) : QString());
    row->setText(kPing, ok ? ping(*answer) : QString());
    // Numbers sort as numbers; a server that never answered sorts after every one that did.
    row->setData(kPlayers, kNumberRole, ok ? answer->info.players : -1);
    row->setData(kPing, kNumberRole, ok ? answer->pingMs : std::numeric_limits<int>::max());
    std::optional<ServerFacts> facts;
    if (ok) {
        const ServerInfo& i = answer->info;
        facts = ServerFacts{i.players, i.maxPlayers, i.bots, answer->pingMs, i.password, i.map};
    }
    const bool shown = passesFilter(filter_, facts);
    // A row not in the list yet cannot be hidden: the caller hides it once it is.
    if (row->treeWidget()) row->setHidden(!shown);
    return shown;
}

void ConnectionTool::showAnswer(const ServerAnswer& answer) {
    const QString address = answer.address();
    answers_[address] = answer;
    if (QTreeWidgetItem* row = rows_.value(address))
        fillRow(row);
    else if (ui_->tabSources->currentIndex() == kInternet && listedInternet_.contains(address) &&
             answer.status == ServerAnswer::Status::Answered)
        addRow(address);  // internet servers appear as they answer
    if (address == queried_) showInformation(answer);
    if (!progressTimer_.isActive()) progressTimer_.start();
}

void ConnectionTool::showInformation(const ServerAnswer& answer) {
    const bool ok = answer.status == ServerAnswer::Status::Answered;
    const ServerInfo& i = answer.info;
    auto yesNo = [](bool b) { return b ? QStringLiteral("Yes") : QStringLiteral("No"); };
    // No host: nothing asked yet, an empty group.
    ui_->lblStatus->setText(ok || answer.host.isEmpty() ? QString() : failure(answer));
    ui_->lblName->setText(ok ? text(i.name) : QString());
    ui_->lblMap->setText(ok ? text(i.map) : QString());
    ui_->lblFolder->setText(ok ? text(i.folder) : QString());
    ui_->lblPlayerCount->setText(ok ? playerCount(i) : QString());
    ui_->lblPing->setText(ok ? ping(answer) : QString());
    ui_->lblPassword->setText(ok ? yesNo(i.password) : QString());
    ui_->lblVac->setText(ok ? yesNo(i.vac) : QString());
    ui_->lstPlayers->clear();
    if (ok && answer.playersStatus != ServerAnswer::Status::Answered)
        new QTreeWidgetItem(ui_->lstPlayers, {answer.playersStatus == ServerAnswer::Status::NoAnswer
                                                  ? QStringLiteral("Players: no answer")
                                                  : QStringLiteral("Players: invalid answer")});
    for (const PlayerEntry& p : answer.players)
        new QTreeWidgetItem(ui_->lstPlayers,
                            {text(p.name), QString::number(p.score), timePlayed(p.seconds)});
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

void ConnectionTool::cmdQuery_Click() {
    showInformation({});
    queried_.clear();
    const auto server = checkedFields();
    if (!server) return;
    queried_ = addressText(*server);
    querier_->query(QString::fromStdString(server->host), portNumber(*server),
                    ServerQuerier::Info | ServerQuerier::Players);
}

bool ConnectionTool::saveFavourites(const std::vector<ServerAddress>& favourites) {
    const auto keys = favouriteWrites(favouriteKeyCount(context_.settings), favourites);
    std::vector<SettingWrite> writes;
    for (const auto& [key, value] : keys) writes.push_back({"SERVERS", key.c_str(), value});
    return saveSettings(context_, this, writes);
}

void ConnectionTool::cmdAddFavourite_Click() {
    const auto server = checkedFields();
    if (!server) return;
    const QString address = addressText(*server);
    if (std::find(favourites_.begin(), favourites_.end(), address) == favourites_.end()) {
        std::vector<ServerAddress> favourites;
        for (const QString& f : favourites_) favourites.push_back(*parseServerAddress(f.toStdString()));
        favourites.push_back(*server);
        if (!saveFavourites(favourites)) return;
        favourites_.push_back(address);
        if (ui_->tabSources->currentIndex() == kFavourites) addRow(address);
        querier_->query(QString::fromStdString(server->host), portNumber(*server));
    }
    if (QTreeWidgetItem* row = rows_.value(address)) ui_->lstServers->setCurrentItem(row);
}

void ConnectionTool::cmdRemove_Click() {
    QTreeWidgetItem* row = ui_->lstServers->currentItem();
    if (!row || ui_->tabSources->currentIndex() != kFavourites) return;
    const QString address = row->text(kAddress);
    std::vector<ServerAddress> favourites;
    for (const QString& f : favourites_)
        if (f != address) favourites.push_back(*parseServerAddress(f.toStdString()));
    if (!saveFavourites(favourites)) return;
    std::erase(favourites_, address);
    rows_.remove(address);
    delete row;
    showProgress();
}

void ConnectionTool::cmdFindLan_Click() {
    const ServerNetwork& n = context_.network;
    ui_->tabSources->setCurrentIndex(kLan);
    ui_->cmdFindLan->setEnabled(false);
    querier_->searchLan(n.lanTargets ? n.lanTargets() : QList<QHostAddress>{}, n.firstLanPort,
                        n.lastLanPort, n.lanSearchMs);
}

void ConnectionTool::lstServers_SelectionChanged() {
    const QTreeWidgetItem* row = ui_->lstServers->currentItem();
    const bool selected = row && row->isSelected();
    ui_->cmdRemove->setEnabled(selected && ui_->tabSources->currentIndex() == kFavourites);
    if (!selected) return;
    if (auto a = parseServerAddress(row->text(kAddress).toStdString())) {
        ui_->ipadress->setText(QString::fromStdString(a->host));
        ui_->port->setText(QString::fromStdString(a->port));
    }
}

void ConnectionTool::lstServers_DblClick(QTreeWidgetItem* item) {
    ui_->lstServers->setCurrentItem(item);
    cmdLaunch_Click();
}

}  // namespace skyloom
