#pragma once

#include "shell/desktop.h"

namespace skyloom {

// "description | pattern" as Qt writes a name filter: "description (pattern)".
QString qtNameFilter(const QString& filter);

class QtDesktop final : public Desktop {
public:
    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
    std::optional<int> chooseItem(QWidget* parent, const QString& title, const QString& label,
                                  const QStringList& items) override;
    std::optional<QString> askText(QWidget* parent, const QString& title,
                                   const QString& label) override;
    std::optional<QString> askSecret(QWidget* parent, const QString& title,
                                     const QString& label) override;
    void alert(QWidget* window) override;
};

}  // namespace skyloom
