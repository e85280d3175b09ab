#include "about/about_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "shell/sky.h"

namespace skyloom {
namespace {

// Warp threads fanning down from a point of the sky, as on the splash picture.
void drawThreads(QPainter& p, QPointF from, qreal width, qreal bottom, int count, QColor colour) {
    for (int i = 0; i < count; ++i) {
        colour.setAlpha(60 + i * 150 / count);
        p.setPen(QPen(colour, 1.2));
        p.drawLine(from, QPointF(width * (i + 0.5) / count, bottom));
    }
}

}  // namespace

QPixmap aboutPicture() {
    const int size = 96;
    QImage image(size, size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p, image.rect(), Sky::Dusk);
    drawThreads(p, QPointF(size / 2.0, 14), size, size, 12, QColor(255, 200, 120));
    p.setBrush(QColor(255, 230, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size / 2.0, 14), 6, 6);
    QFont font(QStringLiteral("Sans Serif"), 30, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(255, 230, 160));
    p.drawText(QRect(0, 30, size, 60), Qt::AlignCenter, QStringLiteral("S"));
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap creditsPicture() {
    const int width = 345, height = 210;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p, image.rect(), Sky::Night);
    p.setPen(Qt::NoPen);
    QRadialGradient moon(QPointF(290, 45), 26);
    moon.setColorAt(0, QColor(255, 250, 220));
    moon.setColorAt(1, QColor(255, 250, 220, 0));
    p.setBrush(moon);
    p.drawEllipse(QPointF(290, 45), 26, 26);
    drawThreads(p, QPointF(290, 45), width, height, 30, QColor(200, 170, 255));
    // A loom's frame standing on the hills.
    QPainterPath hills;
    hills.moveTo(0, height);
    hills.lineTo(0, 170);
    hills.cubicTo(80, 140, 150, 190, 230, 160);
    hills.cubicTo(280, 145, 320, 165, width, 150);
    hills.lineTo(width, height);
    p.fillPath(hills, QColor(18, 10, 14));
    p.setPen(QPen(QColor(18, 10, 14), 4));
    p.drawLine(40, 168, 40, 110);
    p.drawLine(110, 168, 110, 110);
    p.drawLine(34, 112, 116, 112);
    p.setPen(QPen(QColor(18, 10, 14), 1));
    for (int x = 46; x < 106; x += 6) p.drawLine(x, 112, x, 166);
    p.end();
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_Indexed8));
}

}  // namespace skyloom
