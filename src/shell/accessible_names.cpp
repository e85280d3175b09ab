#include "shell/accessible_names.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace skyloom {

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->isWindow();
}

// Appends the controls under these sibling widgets in reading order: cut the group where a gap
// runs across it (rows first, then columns), and within a group that cannot be cut, top-left
// first.
void readInOrder(QList<QWidget*> group, QList<QWidget*>& out);

void readWidget(QWidget* w, QList<QWidget*>& out) {
    if (takesTab(w)) {
        out << w;
        return;
    }
    readInOrder(w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly), out);
}

// Splits `group` where no widget spans a gap along one direction; empty when it does not split.
QList<QList<QWidget*>> cut(QList<QWidget*> group, bool rows) {
    const auto start = [rows](const QWidget* w) { return rows ? w->y() : w->x(); };
    const auto end = [rows](const QWidget* w) {
        return rows ? w->geometry().bottom() : w->geometry().right();
    };
    std::stable_sort(group.begin(), group.end(),
                     [&](const QWidget* a, const QWidget* b) { return start(a) < start(b); });
    QList<QList<QWidget*>> parts{{}};
    int reach = start(group.front());
    for (QWidget* w : group) {
        if (!parts.back().isEmpty() && start(w) > reach) parts.append(QList<QWidget*>{});
        parts.back() << w;
        reach = std::max(reach, end(w));
    }
    return parts.size() > 1 ? parts : QList<QList<QWidget*>>{};
}

void readInOrder(QList<QWidget*> group, QList<QWidget*>& out) {
    group.removeIf([](const QWidget* w) { return w->isWindow(); });
    if (group.size() == 1) return readWidget(group.front(), out);
    if (group.isEmpty()) return;
    for (bool rows : {true, false}) {
        const QList<QList<QWidget*>> parts = cut(group, rows);
        if (parts.isEmpty()) continue;
        for (const QList<QWidget*>& part : parts) readInOrder(part, out);
        return;
    }
    // Stacked on one another (the pages of a tab widget): as they were made.
    for (QWidget* w : group) readWidget(w, out);
}

}  // namespace

void orderTabsAsRead(QWidget* window) {
    QList<QWidget*> controls;
    readInOrder(window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly), controls);
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

void giveCaption(QWidget* control, const QString& caption) {
    for (const QLabel* label :
         control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == control) return;
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    label->hide();
}

void nameComboBox(QComboBox* box, const QString& name) {
    box->setAccessibleName(name);
    if (QLineEdit* field = box->lineEdit()) field->setAccessibleName(name);
    giveCaption(box, name);
}

}  // namespace skyloom
