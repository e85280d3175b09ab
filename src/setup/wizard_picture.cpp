#include "setup/wizard_picture.h"

#include <QPainter>
#include <QPainterPath>

#include "shell/sky.h"

namespace skyloom {

namespace {

void drawSign(QPainter& p, QRectF box, WizardStep step) {
    const QColor ink(255, 230, 160);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    const qreal r = box.width() / 2;
    switch (step) {
        case WizardStep::Welcome:  // a sun rising over the ridge
            p.setBrush(QColor(255, 200, 110));
            p.setPen(Qt::NoPen);
            p.drawEllipse(c, r * 0.55, r * 0.55);
            break;
        case WizardStep::Name:  // a head and shoulders
            p.drawEllipse(QPointF(c.x(), c.y() - r * 0.35), r * 0.3, r * 0.3);
            p.drawArc(QRectF(c.x() - r * 0.6, c.y(), r * 1.2, r * 1.1), 0, 180 * 16);
            break;
        case WizardStep::Paths: {  // a folder
            QPainterPath folder;
            folder.moveTo(c.x() - r * 0.7, c.y() + r * 0.5);
            folder.lineTo(c.x() - r * 0.7, c.y() - r * 0.45);
            folder.lineTo(c.x() - r * 0.25, c.y() - r * 0.45);
            folder.lineTo(c.x() - r * 0.1, c.y() - r * 0.3);
            folder.lineTo(c.x() + r * 0.7, c.y() - r * 0.3);
            folder.lineTo(c.x() + r * 0.7, c.y() + r * 0.5);
            folder.closeSubpath();
            p.drawPath(folder);
            break;
        }
        case WizardStep::Done:  // a tick
            p.drawPolyline(QPolygonF({QPointF(c.x() - r * 0.5, c.y()),
                                      QPointF(c.x() - r * 0.1, c.y() + r * 0.4),
                                      QPointF(c.x() + r * 0.6, c.y() - r * 0.45)}));
            break;
    }
}

}  // namespace

QPixmap wizardPicture(QSize size, WizardStep step) {
    QPixmap picture(size);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p, picture.rect(), Sky::Dusk);
    for (int i = 0; i < 12; ++i) {
        p.setPen(QPen(QColor(255, 200, 120, 40 + i * 8), 1.2));
        p.drawLine(QPointF(-w + i * w / 5, h), QPointF(w * 0.3 + i * w / 20, 0));
    }
    QPainterPath ridge;
    ridge.moveTo(0, h);
    ridge.lineTo(0, h * 0.82);
    ridge.lineTo(w * 0.35, h * 0.74);
    ridge.lineTo(w * 0.6, h * 0.8);
    ridge.lineTo(w, h * 0.7);
    ridge.lineTo(w, h);
    p.fillPath(ridge, QColor(20, 10, 8));
    const qreal sign = w * 0.5;
    drawSign(p, QRectF((w - sign) / 2, h * 0.3, sign, sign), step);
    p.setPen(QColor(255, 230, 160));
    QFont title(QStringLiteral("Sans Serif"), 14, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(0, h * 0.06, w, h * 0.14), Qt::AlignCenter, QStringLiteral("Skyloom"));
    return picture;
}

}  // namespace skyloom
