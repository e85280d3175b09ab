#include "setup/folder_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace skyloom {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool holds(const QString& root, const QString& folder) {
    if (root == QDir::rootPath()) return true;
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

}  // namespace

bool isPseudoVolume(const QString& root, const QByteArray& type) {
    static const QStringList pseudoTypes{
        "autofs",     "binfmt_misc", "bpf",      "cgroup",   "cgroup2", "configfs",
        "debugfs",    "devpts",      "devtmpfs", "efivarfs", "fusectl", "hugetlbfs",
        "mqueue",     "nsfs",        "proc",     "pstore",   "ramfs",   "rpc_pipefs",
        "securityfs", "squashfs",    "sysfs",    "tracefs"};
    if (pseudoTypes.contains(QString::fromLatin1(type))) return true;
    // Removable media mount below /run/media; the rest of /run, /dev and /sys is the system's.
    if (root.startsWith(QLatin1String("/run/media/"))) return false;
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/snap"})
        if (holds(QLatin1String(system), root)) return true;
    return false;
}

QStringList volumeRoots() {
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!isPseudoVolume(root, volume.fileSystemType()) && QFileInfo(root).isDir() &&
            !roots.contains(root))
            roots.append(root);
    }
    return roots;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {}

void DriveList::setRoots(const QStringList& roots) {
    const QSignalBlocker quiet(this);
    clear();
    for (const QString& root : roots) addItem(QDir::toNativeSeparators(root));
}

void DriveList::showRootOf(const QString& folder) {
    const QString path = QDir::fromNativeSeparators(folder);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = QDir::fromNativeSeparators(itemText(i));
        if (holds(root, path) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(best);
}

DirectoryList::DirectoryList(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    // A screen reader still names the column, "1" unless told.
    setHeaderLabels({QStringLiteral("Folder")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(12);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &DirectoryList::open);
}

bool DirectoryList::setFolder(const QString& folder) {
    const QDir dir(QDir::fromNativeSeparators(folder));
    if (!dir.exists() || !dir.isReadable()) return false;
    const QString path = QDir::cleanPath(dir.absolutePath());
    folder_ = path;

    clear();
    // The parents from the root down, each inside the one before, the open folder last.
    QStringList chain;
    for (QDir up(path);;) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp()) break;
    }
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& step : chain) {
        const QFileInfo info(step);
        const QString name = info.isRoot() ? QDir::toNativeSeparators(step) : info.fileName();
        auto* item =
            parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(this, {name});
        item->setData(0, kPathRole, step);
        item->setIcon(0, openIcon);
        parent = item;
    }
    const QFileInfoList subfolders = dir.entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& sub : subfolders) {
        auto* item = new QTreeWidgetItem(parent, {sub.fileName()});
        item->setData(0, kPathRole, sub.absoluteFilePath());
        item->setIcon(0, closedIcon);
    }
    expandAll();
    setCurrentItem(parent);
    return true;
}

void DirectoryList::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {
    // Every listed folder stays open: no branch marks to fold it.
}

QString DirectoryList::folder() const {
    return QDir::toNativeSeparators(folder_);
}

void DirectoryList::open(QTreeWidgetItem* item) {
    if (item) setFolder(item->data(0, kPathRole).toString());
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QTreeWidgetItem* item = currentItem();
    if (enter && item && item->data(0, kPathRole).toString() != folder_) {
        open(item);
        return;
    }
    // Enter on the open folder goes to the window's default button.
    if (enter) {
        event->ignore();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace skyloom
