#include "shell/sky.h"

#include <QLinearGradient>

namespace skyloom {

void paintSky(QPainter& p, const QRect& area, Sky sky, qreal horizon) {
    QLinearGradient fill(area.left(), area.top(), area.left(), area.top() + area.height());
    if (sky == Sky::Dusk) {
        fill.setStops(
            {{0, QColor(12, 18, 48)}, {horizon, QColor(190, 90, 30)}, {1, QColor(40, 20, 10)}});
        p.fillRect(area, fill);
        return;
    }
    fill.setStops({{0, QColor(6, 8, 30)}, {0.7, QColor(60, 30, 70)}, {1, QColor(120, 50, 20)}});
    p.fillRect(area, fill);
    // A few fixed stars; no randomness, so the picture is the same every time.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 255));
    for (int i = 0; i < 40; ++i)
        p.drawEllipse(QPointF(area.left() + (i * 97) % area.width(),
                              area.top() + (i * 53) % (area.height() / 2)),
                      0.8, 0.8);
    p.restore();
}

}  // namespace skyloom
