#include "app/map_file_list.h"

#include "platform/map_files.h"

namespace skyloom {

MapFileList::MapFileList(QWidget* parent) : QListView(parent) {
    setModel(&model_);
    setUniformItemSizes(true);  // keeps a list of many thousand maps quick to lay out
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void MapFileList::setFolder(const QString& folder) {
    folder_ = folder;
    const std::vector<std::string> names = listMapFiles(folder.toStdString());
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) list.append(QString::fromStdString(name));
    model_.setStringList(list);
}

QString MapFileList::selectedFileName() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.constFirst().data().toString();
}

void MapFileList::selectFileName(const QString& name) {
    const qsizetype row = model_.stringList().indexOf(name);
    if (row < 0) {
        clearSelection();
        return;
    }
    const QModelIndex index = model_.index(static_cast<int>(row));
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

}  // namespace skyloom
