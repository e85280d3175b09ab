#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <QTimer>
#include <memory>

#include "shell/app_context.h"

namespace Ui {
class SecretWindow;
}

namespace skyloom {

// The hidden window `secret`: the credits scroll up over a picture without end. Reached only
// by a click on the About window's picture. A dialog, as screen readers present it.
class SecretWindow final : public QDialog {
    Q_OBJECT
public:
    explicit SecretWindow(const AppContext& context, QWidget* parent = nullptr);
    ~SecretWindow() override;

    QTimer& timer() { return Timer1; }
    // Where the credits' top stands, in twips from the top of the picture.
    int creditsTop() const { return top_; }

    void scrollCredits();

protected:
    // Esc and the frame close (and unload) it rather than only hiding it.
    void reject() override { close(); }
    void closeEvent(QCloseEvent* event) override { event->accept(); }

private:
    void startCredits();
    void rollTypedText();
    void showCredits();
    void placeCredits();
    int pictHeight() const;

    std::unique_ptr<Ui::SecretWindow> ui_;
    QTimer Timer1;
    int top_ = 0;
};

}  // namespace skyloom
