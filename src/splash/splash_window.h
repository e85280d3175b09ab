#pragma once

#include <QTimer>
#include <QWidget>

#include "shell/app_context.h"

class QLabel;

namespace skyloom {

// The borderless picture shown for three seconds at start; then the wizard or the main window.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const AppContext& context, QWidget* parent = nullptr);

    QTimer& timer() { return Timer1; }
    void Timer1_Timer();

protected:
    // Only the timer moves on: keys and clicks (Alt+F4 included) change nothing.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext context_;
    QLabel* Picture1;
    QTimer Timer1;
    bool pictureDue_ = true;
};

// The splash picture, drawn by the program itself.
QPixmap splashPicture();

}  // namespace skyloom
