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

// Each tab's filters in [SERVERS]: the Internet tab's under the names they always had.
constexpr const char* kFilterPrefix[ServerStore::kTabs] = {"favourites_", "lan_", "", "recent_"};

QString gameFolder(int index) {
    return index == 1 ? QStringLiteral("tfc") : QStringLiteral("valve");
}

}  // namespace

void ConnectionTool::loadListSettings() {
    for (int t = 0; t < ServerStore::kTabs; ++t)
        filters_[static_cast<std::size_t>(t)] =
            readServerFilter(context_.settings, kFilterPrefix[t]);
    store_->setList(ServerStore::kRecent, readRecent(context_.settings));
    ui_->cboGame->setCurrentIndex(filters_[ServerStore::kInternet].game == "tfc" ? 1 : 0);

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
    for (QCheckBox* c : {ui_->chkNotEmpty, ui_->chkNotFull, ui_->chkNoPassword, ui_->chkNoBotsOnly})
        connect(c, &QCheckBox::toggled, this, &ConnectionTool::filtersChanged);
    connect(ui_->txtMapFilter, &QLineEdit::textChanged, this, &ConnectionTool::filtersChanged);
    connect(ui_->spnMaxPing, &QSpinBox::valueChanged, this, &ConnectionTool::filtersChanged);
    connect(ui_->cboGame, &QComboBox::activated, this, &ConnectionTool::chooseGame);
    connect(ui_->cmdRefresh, &QPushButton::clicked, this, &ConnectionTool::refreshTab);
    connect(ui_->mnuFileitmWebApiKey, &QAction::triggered, this, &ConnectionTool::askWebApiKey);
    connect(ui_->tabSources, &QTabWidget::currentChanged, this, &ConnectionTool::showTab);
    connect(internet_, &InternetList::listed, this, [this](const std::vector<ServerAddress>& s) {
        for (const ServerAddress& server : s) store_->add(ServerStore::kInternet, server);
        if (!progressTimer_.isActive()) progressTimer_.start();
    });
    connect(internet_, &InternetList::finished, this, &ConnectionTool::internetFinished);
    showTab();
}

int ConnectionTool::tab() const {
    return ui_->tabSources->currentIndex();
}

void ConnectionTool::showTab() {
    const int t = tab();
    model_->setTab(t);
    // The game box and Refresh only where they act: the Internet list is the game's, and Recent
    // is asked again on Refresh; Favourites are asked on opening, the LAN by its own search.
    ui_->cboGame->setVisible(t == ServerStore::kInternet);
    ui_->cmdRefresh->setVisible(t == ServerStore::kInternet || t == ServerStore::kRecent);
    showFilter(filters_[static_cast<std::size_t>(t)]);
    showSelected();
    if (t == ServerStore::kInternet && !internetAsked_) fetchInternet();
    if (t == ServerStore::kRecent && !recentAsked_) {
        recentAsked_ = true;
        queryAll(store_->list(ServerStore::kRecent));
    }
    showProgress();
}

void ConnectionTool::refreshTab() {
    if (tab() == ServerStore::kInternet) return fetchInternet();
    queryAll(store_->list(tab()));
}

void ConnectionTool::chooseGame() {
    filters_[ServerStore::kInternet].game = gameFolder(ui_->cboGame->currentIndex()).toStdString();
    unsavedFilters_[ServerStore::kInternet] = true;
    saveTimer_.start();
    if (tab() == ServerStore::kInternet)
        fetchInternet();
    else
        internetAsked_ = false;  // the other game's list when the tab shows next
}

void ConnectionTool::askWebApiKey() {
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
    store_->setList(ServerStore::kInternet, {});
    internetNote_.clear();
    internet_->fetch(
        QString::fromStdString(context_.settings.read("SERVERS", "master", kDefaultMaster, 1024)),
        QString::fromStdString(
            context_.settings.read("SERVERS", "webapi", "https://api.steampowered.com", 1024)),
        filters_[ServerStore::kInternet].game);
    showProgress();
}

void ConnectionTool::internetFinished(const ListOutcome& outcome) {
    switch (outcome.kind) {
        case ListOutcome::Kind::Complete:
            internetNote_.clear();
            break;
        case ListOutcome::Kind::Stopped:
            internetNote_ = QStringLiteral("; %1 stopped answering, so the list is cut short")
                                .arg(shownLine(outcome.source));
            break;
        case ListOutcome::Kind::NoAnswer:
            internetNote_ = QStringLiteral("%1 did not answer.").arg(shownLine(outcome.source));
            break;
        case ListOutcome::Kind::BadSource:
            internetNote_ =
                QStringLiteral("%1 gave no server list.").arg(shownLine(outcome.source));
            break;
    }
    showProgress();
}

void ConnectionTool::showProgress() {
    const int t = tab();
    QString line = QStringLiteral("%1 of %2 servers answered")
                       .arg(count(store_->answeredCount(t)), count(store_->count(t)));
    if (t == ServerStore::kFavourites && favouritesLeftOut_ > 0)
        line += QStringLiteral("; %1 more in the settings left out").arg(count(favouritesLeftOut_));
    if (const int hidden = model_->rowCount() - view_->rowCount(); hidden > 0)
        line += QStringLiteral("; %1 hidden by the filters").arg(count(std::size_t(hidden)));
    if (t == ServerStore::kInternet && !internetNote_.isEmpty())
        line = internetNote_.startsWith(QLatin1Char(';')) ? line + internetNote_ : internetNote_;
    setPlainText(ui_->lblProgress, line);  // it may name the master as the settings hold it
}

void ConnectionTool::showFilter(const ServerFilter& f) {
    // Shown, not changed: the tab's filter stays as it was read.
    const QSignalBlocker blockers[] = {
        QSignalBlocker(ui_->chkNotEmpty),   QSignalBlocker(ui_->chkNotFull),
        QSignalBlocker(ui_->chkNoPassword), QSignalBlocker(ui_->chkNoBotsOnly),
        QSignalBlocker(ui_->txtMapFilter),  QSignalBlocker(ui_->spnMaxPing)};
    ui_->chkNotEmpty->setChecked(f.notEmpty);
    ui_->chkNotFull->setChecked(f.notFull);
    ui_->chkNoPassword->setChecked(f.noPassword);
    ui_->chkNoBotsOnly->setChecked(f.noBotsOnly);
    ui_->txtMapFilter->setText(QString::fromStdString(f.map));
    ui_->spnMaxPing->setValue(f.maxPing);
    view_->setFilter(f);
}

void ConnectionTool::filtersChanged() {
    ServerFilter& f = filters_[static_cast<std::size_t>(tab())];
    f.notEmpty = ui_->chkNotEmpty->isChecked();
    f.notFull = ui_->chkNotFull->isChecked();
    f.noPassword = ui_->chkNoPassword->isChecked();
    f.noBotsOnly = ui_->chkNoBotsOnly->isChecked();
    f.map = ui_->txtMapFilter->text().trimmed().toStdString();
    f.maxPing = ui_->spnMaxPing->value();
    view_->setFilter(f);
    showProgress();
    unsavedFilters_[static_cast<std::size_t>(tab())] = true;
    saveTimer_.start();
}

void ConnectionTool::saveFilters() {
    saveTimer_.stop();
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t t = 0; t < ServerStore::kTabs; ++t)
        if (std::exchange(unsavedFilters_[t], false))
            for (auto& value : serverFilterValues(filters_[t], kFilterPrefix[t]))
                values.push_back(std::move(value));
    std::vector<SettingWrite> writes;
    for (const auto& [key, value] : values) writes.push_back({"SERVERS", key.c_str(), value});
    saveSettings(context_, this, writes);
}

void ConnectionTool::rememberJoin(const ServerAddress& server) {
    if (!saveSettings(context_, this,
                      [&server](std::string_view text) { return recentChanges(text, server); }))
        return;
    store_->setList(ServerStore::kRecent, readRecent(context_.settings));
}

}  // namespace skyloom
