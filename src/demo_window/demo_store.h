#pragma once

#include <QAbstractTableModel>
#include <QObject>
#include <QSortFilterProxyModel>
#include <functional>
#include <vector>

#include "demos/demo_list.h"

namespace skyloom {

// A listed demo and what is known of its map where the chosen game looks for it.
struct DemoRow {
    DemoFile file;
    bool mapInstalled = false;
    std::string title;  // the installed map's title
};

// Lists the place's demos and looks up each map once: plain values, read off the window's thread.
std::vector<DemoRow> readDemoRows(const DemoPlace& place, const std::function<bool()>& stop);

// Why a row is marked, in words; empty when nothing is wrong. `mod`: the chosen game folder.
QString demoNote(const DemoRow& row, const std::string& mod);

// The demos a window shows; every change is announced so that the views follow.
class DemoStore final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    const std::vector<DemoRow>& rows() const { return rows_; }
    const std::string& mod() const { return mod_; }
    void replace(const std::string& mod, std::vector<DemoRow> rows);
    void rename(size_t row, const std::string& path, const std::string& name);
    void remove(size_t row);

signals:
    void aboutToReplace();
    void replaced();
    void changed(int row);
    void aboutToRemove(int row);
    void removed();

private:
    std::string mod_;
    std::vector<DemoRow> rows_;
};

class DemoListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Map, Game, Length, Recorded, Size, Note, Columns };
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit DemoListModel(DemoStore& store, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    DemoStore& store_;
};

// What the search field lets through: the demos whose name or map holds its text.
class DemoSearchModel final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearch(const QString& text);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QString search_;
};

}  // namespace skyloom
