#include "about/secret_window.h"

#include "about/about_pictures.h"
#include "about/credits.h"
#include "shell/system_colours.h"
#include "ui_secret_window.h"

namespace skyloom {

SecretWindow::SecretWindow(const AppContext& /*reads no settings, starts nothing*/, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::SecretWindow>()) {
    ui_->setupUi(this);
    ui_->pict->setPixmap(creditsPicture());
    ui_->txt->setPlainText(QString::fromStdString(creditsText()));

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    ui_->lbl->setFont(font);
    enlargeFont(ui_->lbl, 1.4);
    QPalette yellow = ui_->lbl->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    ui_->lbl->setPalette(yellow);

    Timer1.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, &SecretWindow::scrollCredits);
    connect(ui_->Command1, &QPushButton::clicked, this, &SecretWindow::rollTypedText);
    startCredits();
}

SecretWindow::~SecretWindow() = default;

int SecretWindow::pictHeight() const {
    return ui_->pict->height() * kTwipsPerPixel;
}

void SecretWindow::startCredits() {
    top_ = pictHeight();
    showCredits();
    Timer1.start();
}

void SecretWindow::scrollCredits() {
    top_ = nextCreditsTop(top_, ui_->lbl->height() * kTwipsPerPixel, pictHeight());
    placeCredits();
}

void SecretWindow::rollTypedText() {
    showCredits();
    if (!Timer1.isActive()) Timer1.start();
    ui_->Text1->setText(ui_->txt->toPlainText());
}

// The label takes the size of its text, centred across the picture.
void SecretWindow::showCredits() {
    ui_->lbl->setText(ui_->txt->toPlainText());
    ui_->lbl->adjustSize();
    placeCredits();
}

void SecretWindow::placeCredits() {
    ui_->lbl->move((width() - ui_->lbl->width()) / 2, twipsToPixels(top_));
}

}  // namespace skyloom
