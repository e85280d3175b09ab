#include "splash/splash_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "platform/program_info.h"
#include "shell/sky.h"

namespace skyloom {

QPixmap splashPicture() {
    QPixmap picture(611, 360);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p, picture.rect(), Sky::Dusk, 0.6);
    // Threads of a loom across the sky.
    for (int i = 0; i < 24; ++i) {
        p.setPen(QPen(QColor(255, 200, 120, 40 + i * 4), 1.5));
        p.drawLine(QPointF(-20 + i * 28, 360), QPointF(300 + i * 6, 0));
    }
    QPainterPath ridge;
    ridge.moveTo(0, 360);
    ridge.lineTo(0, 290);
    ridge.lineTo(120, 240);
    ridge.lineTo(220, 280);
    ridge.lineTo(360, 210);
    ridge.lineTo(480, 270);
    ridge.lineTo(611, 230);
    ridge.lineTo(611, 360);
    p.fillPath(ridge, QColor(20, 10, 8));
    QFont big(QStringLiteral("Sans Serif"), 48, QFont::Bold);
    p.setFont(big);
    p.setPen(QColor(255, 230, 160));
    p.drawText(QRect(0, 70, 611, 90), Qt::AlignCenter, QStringLiteral("Skyloom"));
    QFont small(QStringLiteral("Sans Serif"), 12);
    p.setFont(small);
    p.drawText(QRect(0, 160, 611, 30), Qt::AlignCenter,
               QStringLiteral("A launcher for Half-Life and Team Fortress Classic"));
    p.drawText(QRect(0, 325, 600, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("version ") + QLatin1String(kProgramVersion));
    return picture;
}

SplashWindow::SplashWindow(const AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), context_(context) {
    setFixedSize(611, 360);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(0, 0, 611, 360);
    // The picture's fonts and gradients would hold back the window's first appearance: the window
    // maps in the picture's night colour and the picture follows its first paint.
    QPalette night = palette();
    night.setColor(QPalette::Window, QColor(12, 18, 48));
    setPalette(night);
    setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1.setSingleShot(true);
    Timer1.setInterval(3000);
    connect(&Timer1, &QTimer::timeout, this, &SplashWindow::moveOn);
    Timer1.start();
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (pictureDue_) {
        pictureDue_ = false;
        QTimer::singleShot(0, this, [this] {
            // Drawn at build time: drawing it here would load the fonts for its text.
            QPixmap picture(QStringLiteral(":/splash/splash.png"));
            Picture1->setPixmap(picture.isNull() ? splashPicture() : picture);
        });
    }
}

namespace {

// A package has no installer to write firstuse=yes: a missing file asks for the wizard too.
bool wizardDue(const Settings& settings) {
    return settings.firstStart() || settings.read("MISC", "firstuse", "error", 100) == "yes";
}

// Decoded once a window is on screen: the splash has no frame to show it in, and the main
// window's first paint need not wait for it.
void setProgramIcon() {
    QIcon icon;
    for (const char* size : {"64", "256"})
        icon.addFile(QStringLiteral(":/icons/skyloom-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
}

}  // namespace

void openFirstWindow(const AppContext& context) {
    const bool wizard = wizardDue(context.settings);
    context.windows.show(wizard ? QStringLiteral("splash") : QStringLiteral("sp"));
    // Later than the first turn of the event loop, which flushes the window's map request.
    if (!wizard) QTimer::singleShot(250, &setProgramIcon);
}

void SplashWindow::moveOn() {
    Timer1.stop();
    setProgramIcon();
    context_.windows.show(wizardDue(context_.settings) ? QStringLiteral("firstuse1")
                                                       : QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void SplashWindow::mousePressEvent(QMouseEvent* /*event*/) {
    if (Timer1.isActive()) moveOn();
}

void SplashWindow::keyPressEvent(QKeyEvent* /*event*/) {
    if (Timer1.isActive()) moveOn();
}

}  // namespace skyloom
