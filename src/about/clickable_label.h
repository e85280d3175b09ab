#pragma once

#include <QLabel>

namespace skyloom {

// A label or picture that answers a click, as the About window's name and image do.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace skyloom
