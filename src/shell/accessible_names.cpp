#include "shell/accessible_names.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace skyloom {

void nameComboBox(QComboBox* box, const QString& name) {
    box->setAccessibleName(name);
    if (QLineEdit* field = box->lineEdit()) field->setAccessibleName(name);
    for (const QLabel* label :
         box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == box) return;
    auto* label = new QLabel(name, box->parentWidget());
    label->setBuddy(box);
    label->hide();
}

}  // namespace skyloom
