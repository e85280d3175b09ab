#pragma once

#include <QComboBox>
#include <QTreeWidget>

namespace skyloom {

// What no player picks a game folder from: the kernel's and the system's own file systems and
// the read-only images snap packages mount; removable media below /run/media are the player's.
bool isPseudoVolume(const QString& root, const QByteArray& type);

// The roots of the mounted volumes: "/" first, then the others as the system reports them.
QStringList volumeRoots();

// A drive list: the roots of the volumes.
class DriveList final : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void setRoots(const QStringList& roots);
    QString root() const { return currentText(); }
    // Shows the volume that holds the folder, without reporting a change.
    void showRootOf(const QString& folder);
};

// A directory list: the open folder below its parents, then its subfolders. A double-click (or
// Enter on another folder) opens a folder; a single click only highlights it.
class DirectoryList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // Opens the folder; false, changing nothing, when it cannot be read.
    bool setFolder(const QString& folder);
    // The open folder in the platform's form: no trailing separator except for a root.
    QString folder() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    void open(QTreeWidgetItem* item);

    QString folder_;
};

}  // namespace skyloom
