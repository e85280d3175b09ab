#pragma once

#include <QListView>
#include <QStringListModel>

namespace skyloom {

// A file list with the pattern "*.bsp": the map file names of one folder, without the folder.
class MapFileList final : public QListView {
    Q_OBJECT
public:
    explicit MapFileList(QWidget* parent = nullptr);

    // Lists the folder's maps; a folder that does not exist gives an empty list.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }

    QStringList fileNames() const { return model_.stringList(); }
    // The selected file name, or empty when none is selected.
    QString selectedFileName() const;
    void selectFileName(const QString& name);

private:
    QStringListModel model_;
    QString folder_;
};

}  // namespace skyloom
