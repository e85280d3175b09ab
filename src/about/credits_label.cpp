#include "about/credits_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace skyloom {

CreditsLabel::CreditsLabel(QWidget* parent) : QLabel(parent) {}

void CreditsLabel::paintEvent(QPaintEvent* /*event*/) {
    if (drawn_.isNull() || drawnText_ != text() || drawn_.deviceIndependentSize() != size()) {
        const qreal ratio = devicePixelRatioF();
        drawn_ = QPixmap(size() * ratio);
        drawn_.setDevicePixelRatio(ratio);
        drawn_.fill(Qt::transparent);
        QPainter p(&drawn_);
        p.setFont(font());
        style()->drawItemText(&p, rect(), static_cast<int>(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
        drawnText_ = text();
    }
    QPainter(this).drawPixmap(0, 0, drawn_);
}

void CreditsLabel::changeEvent(QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::FontChange || type == QEvent::PaletteChange ||
        type == QEvent::EnabledChange || type == QEvent::StyleChange)
        drawn_ = QPixmap();
    QLabel::changeEvent(event);
}

}  // namespace skyloom
