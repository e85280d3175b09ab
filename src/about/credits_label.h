#pragma once

#include <QLabel>
#include <QPixmap>

namespace skyloom {

// The scrolling credits: a plain-text label that lays its text out once and afterwards only
// copies it, since it is repainted every 10 ms while its text stays the same.
class CreditsLabel final : public QLabel {
    Q_OBJECT
public:
    explicit CreditsLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap drawn_;
    QString drawnText_;
};

}  // namespace skyloom
