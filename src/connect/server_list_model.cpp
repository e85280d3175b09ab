#include "connect/server_list_model.h"

#include <limits>

#include "servers/server_text.h"

namespace skyloom {

QString serverText(const std::string& bytes) {
    return QString::fromStdString(oneLineName(bytes));
}

QString playerCount(const ServerInfo& info) {
    return QString::fromStdString(playerCountText(info));
}

QString pingText(const ServerAnswer& answer) {
    return QStringLiteral("%1 ms").arg(answer.pingMs);
}

QString failureText(const ServerAnswer& answer) {
    return answer.status == ServerAnswer::Status::NoAnswer
               ? QStringLiteral("No answer from %1").arg(answer.address())
               : QStringLiteral("Invalid answer from %1").arg(answer.address());
}

namespace {

const ServerAnswer* answered(const ServerListModel::Row& row) {
    return row.answer && row.answer->status == ServerAnswer::Status::Answered ? &*row.answer
                                                                              : nullptr;
}

}  // namespace

void ServerListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ServerListModel::add(Row row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void ServerListModel::remove(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

std::optional<int> ServerListModel::find(const ServerAddress& server) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].server == server) return static_cast<int>(i);
    return std::nullopt;
}

void ServerListModel::setAnswer(const ServerAnswer& answer) {
    const auto row = find(answer.server);
    if (!row) return;
    rows_[static_cast<std::size_t>(*row)].answer = answer;
    emit dataChanged(index(*row, 0), index(*row, kColumns - 1));
}

int ServerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ServerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ServerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != kSortRole)) return {};
    const Row& row = at(index.row());
    const ServerAnswer* ok = answered(row);
    if (role == kSortRole) {
        // A server that never answered sorts after every one that did.
        if (index.column() == kPlayers) return ok ? ok->info.players : -1;
        if (index.column() == kPing) return ok ? ok->pingMs : std::numeric_limits<int>::max();
        return {};
    }
    switch (index.column()) {
        case kName:
            return ok           ? serverText(ok->info.name)
                   : row.answer ? failureText(*row.answer)
                                : QString();
        case kMap:
            return ok ? serverText(ok->info.map) : QString();
        case kPlayers:
            return ok ? playerCount(ok->info) : QString();
        case kPing:
            return ok ? pingText(*ok) : QString();
        default:
            return QString::fromStdString(formatServerAddress(row.server));
    }
}

QVariant ServerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {"Name", "Map", "Players", "Ping", "Address"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(names[section]) : QVariant();
}

ServerListView::ServerListView(ServerListModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(model);
    setSortRole(ServerListModel::kSortRole);
}

void ServerListView::setFilter(const ServerFilter& filter) {
    filter_ = filter;
    invalidateRowsFilter();
}

const ServerListModel::Row& ServerListView::row(const QModelIndex& index) const {
    return model_->at(mapToSource(index).row());
}

bool ServerListView::filterAcceptsRow(int row, const QModelIndex&) const {
    std::optional<ServerFacts> facts;
    if (const ServerAnswer* a = answered(model_->at(row))) {
        const ServerInfo& i = a->info;
        facts = ServerFacts{i.players, i.maxPlayers, i.bots, a->pingMs, i.password, i.map};
    }
    return passesFilter(filter_, facts);
}

bool ServerListView::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant mine = left.data(ServerListModel::kSortRole),
                   theirs = right.data(ServerListModel::kSortRole);
    if (mine.isValid() && theirs.isValid()) return mine.toLongLong() < theirs.toLongLong();
    return left.data().toString().compare(right.data().toString(), Qt::CaseInsensitive) < 0;
}

}  // namespace skyloom
