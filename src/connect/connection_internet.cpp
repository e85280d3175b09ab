// The connection tool's list sources as tabs, the Internet list, the filters, sorting and Recent.
#include <QHeaderView>
#include <QLocale>

#include "connect/connection_tool.h"
#include "connect/favourites.h"
#include "connect/server_list_model.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "shell/outside_text.h"
#include "shell/save_settings.h"
#include "ui_connection_tool.h"

namespace skyloom {

namespace {

QString count(std::size_t n) {
    return QLocale(QLocale::English).toString(qulonglong{n});
}

QString gameFolder(int index) {
    return index == 1 ? QStringLiteral("tfc") : QStringLiteral("valve");
}

}  // namespace

void ConnectionTool::loadListSettings() {
    filter_ = readServerFilter(context_.settings);
    recent_ = readRecent(context_.settings);
    view_->setFilter(filter_);
    ui_->chkNotEmpty->setChecked(filter_.notEmpty);
    ui_->chkNotFull->setChecked(filter_.notFull);
    ui_->chkNoPassword->setChecked(filter_.noPassword);
    ui_->txtMapFilter->setText(QString::fromStdString(filter_.map));
    ui_->spnMaxPing->setValue(filter_.maxPing);
    ui_->cboGame->setCurrentIndex(filter_.game == "tfc" ? 1 : 0);

    // No column chosen: each tab keeps its own order (Recent newest first).
    ui_->lstServers->header()->setSortIndicatorClearable(true);  // a third click: no column
    ui_->lstServers->header()->setSortIndicator(-1, Qt::AscendingOrder);
    ui_->lstServers->setSortingEnabled(true);
    progressTimer_.setSingleShot(true);
    progressTimer_.setInterval(100);
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(500);
    connect(&progressTimer_, &QTimer::timeout, this, &ConnectionTool::showProgress);
    connect(&saveTimer_, &QTimer::timeout, this, &ConnectionTool::saveFilters);
    for (QCheckBox* c : {ui_->chkNotEmpty, ui_->chkNotFull, ui_->chkNoPassword})
        connect(c, &QCheckBox::toggled, this, &ConnectionTool::filtersChanged);
    connect(ui_->txtMapFilter, &QLineEdit::textChanged, this, &ConnectionTool::filtersChanged);
    connect(ui_->spnMaxPing, &QSpinBox::valueChanged, this, &ConnectionTool::filtersChanged);
    connect(ui_->cboGame, &QComboBox::activated, this, &ConnectionTool::cboGame_Click);
    connect(ui_->cmdRefresh, &QPushButton::clicked, this, &ConnectionTool::cmdRefresh_Click);
    connect(ui_->mnuFileitmWebApiKey, &QAction::triggered, this,
            &ConnectionTool::mnuFileitmWebApiKey_Click);
    connect(ui_->tabSources, &QTabWidget::currentChanged, this, &ConnectionTool::tabSources_Change);
    connect(internet_, &InternetList::listed, this, &ConnectionTool::internetListed);
    connect(internet_, &InternetList::finished, this, &ConnectionTool::internetFinished);
    tabSources_Change();
}

std::vector<ServerAddress>& ConnectionTool::tabServers(int tab) {
    switch (tab) {
        case kLan:
            return lan_;
        case kInternet:
            return internetServers_;
        case kRecent:
            return recent_;
        default:
            return favourites_;
    }
}

void ConnectionTool::addRow(const ServerAddress& server) {
    const auto it = answers_.find(server);
    model_->add({server,
                 std::find(favourites_.begin(), favourites_.end(), server) != favourites_.end(),
                 it == answers_.end() ? std::nullopt : std::optional(it->second)});
}

void ConnectionTool::tabSources_Change() {
    const int tab = ui_->tabSources->currentIndex();
    model_->clear();
    const bool internet = tab == kInternet;
    for (const ServerAddress& server : tabServers(tab)) {
        const auto it = answers_.find(server);
        // The Internet tab shows only servers that answered: a dead one there is only noise.
        if (!internet ||
            (it != answers_.end() && it->second.status == ServerAnswer::Status::Answered))
            addRow(server);
    }
    lstServers_SelectionChanged();
    if (internet && !internetAsked_) fetchInternet();
    if (tab == kRecent && !recentAsked_) {
        recentAsked_ = true;
        queryAll(recent_);
    }
    showProgress();
}

void ConnectionTool::cmdRefresh_Click() {
    switch (ui_->tabSources->currentIndex()) {
        case kLan:
            return cmdFindLan_Click();
        case kInternet:
            return fetchInternet();
        default:
            queryAll(tabServers(ui_->tabSources->currentIndex()));
    }
}

void ConnectionTool::cboGame_Click() {
    filter_.game = gameFolder(ui_->cboGame->currentIndex()).toStdString();
    saveTimer_.start();
    if (ui_->tabSources->currentIndex() == kInternet)
        fetchInternet();
    else
        internetAsked_ = false;  // the other game's list when the tab shows next
}

void ConnectionTool::mnuFileitmWebApiKey_Click() {
    const std::optional<QString> key = context_.desktop.askSecret(
        this, QStringLiteral("Steam Web API key"),
        QStringLiteral("Your own key from steamcommunity.com/dev/apikey lists the internet "
                       "servers through Steam's Web API.\nIt is kept in the desktop's secret "
                       "store. Leave the field empty to ask the master server again."));
    if (!key || !context_.network.storeWebApiKey) return;
    context_.network.storeWebApiKey(this, key->trimmed(), [this](bool ok) {
        if (!ok) {
            context_.desktop.message(this,
                                     QStringLiteral("The desktop's secret store did not take the "
                                                    "key; the master server lists the servers."),
                                     QStringLiteral("Skyloom"), MessageButtons::Ok,
                                     MessageIcon::Exclamation);
            return;
        }
        if (internetAsked_) fetchInternet();
    });
}

void ConnectionTool::fetchInternet() {
    internetAsked_ = true;
    internetServers_.clear();
    listedInternet_.clear();
    internetNote_.clear();
    if (ui_->tabSources->currentIndex() == kInternet) model_->clear();
    internet_->fetch(
        QString::fromStdString(context_.settings.read("SERVERS", "master", kDefaultMaster, 1024)),
        QString::fromStdString(
            context_.settings.read("SERVERS", "webapi", "https://api.steampowered.com", 1024)),
        filter_.game);
    showProgress();
}

void ConnectionTool::internetListed(const std::vector<MasterEntry>& servers) {
    for (const MasterEntry& e : servers) {
        const ServerAddress server = serverAddress(e);
        if (!listedInternet_.insert(server).second) continue;
        internetServers_.push_back(server);
        querier_->query(server);
    }
    if (!progressTimer_.isActive()) progressTimer_.start();
}

void ConnectionTool::internetFinished(const ListOutcome& outcome) {
    switch (outcome.kind) {
        case ListOutcome::Kind::Complete:
            internetNote_.clear();
            break;
        case ListOutcome::Kind::Stopped:
            internetNote_ = QStringLiteral("; %1 stopped answering, so the list is cut short")
                                .arg(outcome.source);
            break;
        case ListOutcome::Kind::NoAnswer:
            internetNote_ = QStringLiteral("%1 did not answer.").arg(outcome.source);
            break;
        case ListOutcome::Kind::BadSource:
            internetNote_ = QStringLiteral("%1 gave no server list.").arg(outcome.source);
            break;
    }
    showProgress();
}

void ConnectionTool::showProgress() {
    const int tab = ui_->tabSources->currentIndex();
    const std::vector<ServerAddress>& servers = tabServers(tab);
    std::size_t answered = 0;
    for (const ServerAddress& server : servers) {
        const auto it = answers_.find(server);
        answered += it != answers_.end() && it->second.status == ServerAnswer::Status::Answered;
    }
    QString line =
        QStringLiteral("%1 of %2 servers answered").arg(count(answered), count(servers.size()));
    if (tab == kInternet && !internetNote_.isEmpty())
        line = internetNote_.startsWith(QLatin1Char(';')) ? line + internetNote_ : internetNote_;
    setPlainText(ui_->lblProgress, line);  // it may name the master as the settings hold it
}

void ConnectionTool::filtersChanged() {
    filter_.notEmpty = ui_->chkNotEmpty->isChecked();
    filter_.notFull = ui_->chkNotFull->isChecked();
    filter_.noPassword = ui_->chkNoPassword->isChecked();
    filter_.map = ui_->txtMapFilter->text().trimmed().toStdString();
    filter_.maxPing = ui_->spnMaxPing->value();
    view_->setFilter(filter_);
    saveTimer_.start();
}

void ConnectionTool::saveFilters() {
    saveTimer_.stop();
    std::vector<SettingWrite> writes;
    for (const auto& [key, value] : serverFilterValues(filter_))
        writes.push_back({"SERVERS", key, value});
    saveSettings(context_, this, writes);
}

void ConnectionTool::rememberJoin(const ServerAddress& server) {
    const auto keys = recentWrites(context_.settings, server);
    std::vector<SettingWrite> writes;
    for (const auto& [key, value] : keys) writes.push_back({"RECENT", key.c_str(), value});
    if (!saveSettings(context_, this, writes)) return;
    recent_ = readRecent(context_.settings);
    if (ui_->tabSources->currentIndex() == kRecent) tabSources_Change();
}

}  // namespace skyloom
