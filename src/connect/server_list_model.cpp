#include "connect/server_list_model.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
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

// A padlock drawn in the text's colour, so it reads on any theme.
QIcon lockIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 8));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 8));
    p.fillRect(QRectF(2.5, 7.5, 11, 7.5), QColor(0x40, 0x40, 0x40));
    return QIcon(pixmap);
}

// Without regard to case, and numbers in the text as numbers: "Server 9" before "Server 10",
// 10.0.0.9 before 10.0.0.10.
bool naturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype si = i, sj = j;
            while (i < a.size() && a[i] == u'0') ++i;
            while (j < b.size() && b[j] == u'0') ++j;
            const qsizetype ni = i, nj = j;
            while (i < a.size() && a[i].isDigit()) ++i;
            while (j < b.size() && b[j].isDigit()) ++j;
            if (i - ni != j - nj) return i - ni < j - nj;
            if (const int c =
                    QStringView(a).mid(ni, i - ni).compare(QStringView(b).mid(nj, j - nj)))
                return c < 0;
            if (i - si != j - sj) return i - si < j - sj;
            continue;
        }
        const QChar x = a[i++].toCaseFolded(), y = b[j++].toCaseFolded();
        if (x != y) return x < y;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

ServerListModel::ServerListModel(const ServerStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
    const auto mine = [this](auto act) {
        return [this, act](int tab, auto... row) {
            if (tab == tab_) act(row...);
        };
    };
    connect(&store, &ServerStore::resetting, this, mine([this] { beginResetModel(); }));
    connect(&store, &ServerStore::reset, this, mine([this] { endResetModel(); }));
    connect(&store, &ServerStore::adding, this,
            mine([this](int row) { beginInsertRows({}, row, row); }));
    connect(&store, &ServerStore::added, this, mine([this](int) { endInsertRows(); }));
    connect(&store, &ServerStore::removing, this,
            mine([this](int row) { beginRemoveRows({}, row, row); }));
    connect(&store, &ServerStore::removed, this, mine([this](int) { endRemoveRows(); }));
    connect(&store, &ServerStore::changed, this, [this](const ServerAddress& server) {
        if (const auto row = store_.row(tab_, server))
            emit dataChanged(index(*row, 0), index(*row, kColumns - 1));
    });
}

void ServerListModel::setTab(int tab) {
    beginResetModel();
    tab_ = tab;
    endResetModel();
}

int ServerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(store_.list(tab_).size());
}

int ServerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ServerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const ServerAddress& server = at(index.row());
    const ServerAnswer* ok = store_.answered(server);
    const int column = index.column();
    if (role == kSortRole) {
        // A server that never answered sorts after every one that did.
        constexpr int kLast = std::numeric_limits<int>::max();
        switch (column) {
            case kPlayers:  // by the people to play with, then by the room left
                return ok ? humanPlayers(ok->info) * 256 +
                                std::max(ok->info.maxPlayers - ok->info.players, 0)
                          : -1;
            case kPassword:
                return ok ? int{ok->info.password} : -1;
            case kVac:
                return ok ? int{ok->info.vac} : -1;
            case kPing:
                return ok ? ok->pingMs : kLast;
            default:
                return {};  // text, compared with its numbers as numbers
        }
    }
    if (column == kPassword && ok && ok->info.password) {
        if (role == Qt::DecorationRole) {
            static const QIcon lock = lockIcon();
            return lock;
        }
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return QStringLiteral("password");
    }
    if (role != Qt::DisplayRole) return {};
    switch (column) {
        case kName: {
            const ServerAnswer* last = store_.answer(server);
            return ok ? serverText(ok->info.name) : last ? failureText(*last) : QString();
        }
        case kMap:
            return ok ? serverText(ok->info.map) : QString();
        case kPlayers: {
            const QString note = store_.note(server);
            return (ok ? playerCount(ok->info) : QString()) +
                   (note.isEmpty() ? QString() : QStringLiteral(" \u00B7 ") + note);
        }
        case kVac:
            return ok && ok->info.vac ? QStringLiteral("VAC") : QString();
        case kPing:
            return ok ? pingText(*ok) : QString();
        case kAddress:
            return QString::fromStdString(formatServerAddress(server));
        default:
            return QString();
    }
}

QVariant ServerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {"Name", "Map", "Players", "", "VAC", "Ping", "Address"};
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

const ServerAddress& ServerListView::server(const QModelIndex& index) const {
    return model_->at(mapToSource(index).row());
}

bool ServerListView::filterAcceptsRow(int row, const QModelIndex&) const {
    std::optional<ServerFacts> facts;
    if (const ServerAnswer* a = model_->store().answered(model_->at(row))) {
        const ServerInfo& i = a->info;
        facts = ServerFacts{i.players, i.maxPlayers, i.bots, a->pingMs, i.password, i.map};
    }
    return passesFilter(filter_, facts);
}

bool ServerListView::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant mine = left.data(ServerListModel::kSortRole),
                   theirs = right.data(ServerListModel::kSortRole);
    if (mine.isValid() && theirs.isValid()) return mine.toLongLong() < theirs.toLongLong();
    return naturalLess(left.data().toString(), right.data().toString());
}

}  // namespace skyloom
