#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

#include "connect/server_filter.h"
#include "servers/server_store.h"

namespace skyloom {

// What the list and the information group show of a server's answer.
QString serverText(const std::string& bytes);  // on one line, nothing turning the rest around
QString playerCount(const ServerInfo& info);
QString pingText(const ServerAnswer& answer);
QString failureText(const ServerAnswer& answer);  // "No answer from …" / "Invalid answer from …"

// The servers of one tab of the store, each row a server whose last answer the columns show. It
// follows the store's signals and keeps nothing of its own but the tab.
class ServerListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kName, kMap, kPlayers, kPassword, kVac, kPing, kAddress, kColumns };
    static constexpr int kSortRole = Qt::UserRole;  // numbers sort as numbers

    ServerListModel(const ServerStore& store, QObject* parent = nullptr);

    void setTab(int tab);
    int tab() const { return tab_; }
    const ServerAddress& at(int row) const {
        return store_.list(tab_)[static_cast<std::size_t>(row)];
    }
    const ServerStore& store() const { return store_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ServerStore& store_;
    int tab_ = ServerStore::kFavourites;
};

// What the list shows of the model: the rows the filters let through, in the order of the
// heading clicked (none: the tab's own order).
class ServerListView final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ServerListView(ServerListModel* model, QObject* parent = nullptr);
    void setFilter(const ServerFilter& filter);
    const ServerAddress& server(const QModelIndex& index) const;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ServerListModel* model_;
    ServerFilter filter_;
};

}  // namespace skyloom
