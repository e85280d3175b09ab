#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

#include "connect/server_filter.h"
#include "servers/server_querier.h"

namespace skyloom {

// What the list and the information group show of a server's answer.
QString serverText(const std::string& bytes);  // on one line, nothing turning the rest around
QString playerCount(const ServerInfo& info);
QString pingText(const ServerAnswer& answer);
QString failureText(const ServerAnswer& answer);  // "No answer from …" / "Invalid answer from …"

// The servers of the tab shown: each row a server, whether it is a favourite, and its last
// answer, which the columns show.
class ServerListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kName, kMap, kPlayers, kPing, kAddress, kColumns };
    static constexpr int kSortRole = Qt::UserRole;  // numbers sort as numbers

    struct Row {
        ServerAddress server;
        bool favourite = false;
        std::optional<ServerAnswer> answer;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void add(Row row);
    void remove(int row);
    void setAnswer(const ServerAnswer& answer);  // to the row of its server, if listed
    const Row& at(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    std::optional<int> find(const ServerAddress& server) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Row> rows_;
};

// What the list shows of the model: the rows the filters let through, in the order of the
// heading clicked (none: the tab's own order).
class ServerListView final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ServerListView(ServerListModel* model, QObject* parent = nullptr);
    void setFilter(const ServerFilter& filter);
    const ServerListModel::Row& row(const QModelIndex& index) const;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ServerListModel* model_;
    ServerFilter filter_;
};

}  // namespace skyloom
