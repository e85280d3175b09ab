#pragma once

#include <QPainter>
#include <QRect>

namespace skyloom {

enum class Sky {
    Dusk,   // night above, the evening's glow at the horizon: splash, wizard, About
    Night,  // a darker night with fixed stars: the hidden credits
};

// The sky every picture of the program is painted on, filling `area` top to bottom. `horizon`
// is where a dusk sky glows brightest, as a fraction of the height.
void paintSky(QPainter& p, const QRect& area, Sky sky, qreal horizon = 0.65);

}  // namespace skyloom
