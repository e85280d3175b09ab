#pragma once

#include <QTimer>
#include <QWidget>

#include "shell/app_context.h"

class QLabel;

namespace skyloom {

// The borderless picture shown for three seconds before the first-use wizard, or until a click or
// a key.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const AppContext& context, QWidget* parent = nullptr);

    QTimer& timer() { return Timer1; }
    void moveOn();

protected:
    // A click or a key goes on at once; closing it (Alt+F4) does not.
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext context_;
    QLabel* Picture1;
    QTimer Timer1;
    bool pictureDue_ = true;
};

// Opens the program's first window: the splash when the first-use wizard follows it (no settings
// file, or firstuse=yes), else straight the main window.
void openFirstWindow(const AppContext& context);

// The splash picture, drawn by the program itself.
QPixmap splashPicture();

}  // namespace skyloom
