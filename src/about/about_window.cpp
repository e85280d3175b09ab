#include "about/about_window.h"

#include <QCloseEvent>

#include "about/about_pictures.h"
#include "platform/program_info.h"
#include "shell/accessible_names.h"
#include "shell/outside_text.h"
#include "shell/system_colours.h"
#include "ui_about_window.h"

namespace skyloom {

AboutWindow::AboutWindow(const AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::AboutWindow>()) {
    ui_->setupUi(this);
    enlargeFont(ui_->Label1, 1.75);
    ui_->Picture1->setPixmap(aboutPicture());
    ui_->Label1->setText(QLatin1String(kProgramName) + u' ' + QLatin1String(kProgramVersion));
    ui_->txtSettingsFile->setText(QString::fromStdString(context_.settings.filePath()));
    ui_->txtSettingsFile->setCursorPosition(0);
    // The name and organisation sit apart from the caption above them.
    giveCaption(ui_->lblUser, ui_->Label4->text());
    giveCaption(ui_->lblComp, QStringLiteral("Organisation :"));
    connect(ui_->cmdOK, &QPushButton::clicked, this, &AboutWindow::closeAbout);
    connect(ui_->lblUser, &ClickableLabel::clicked, this, &AboutWindow::teaseUser);
    connect(ui_->Picture1, &ClickableLabel::clicked, this, &AboutWindow::showSecret);
    showUser();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::showUser() {
    const auto read = [this](const char* key) {
        return QString::fromStdString(context_.settings.read("MISC", key, "error", 100));
    };
    setPlainText(ui_->lblUser, read("user"));
    setPlainText(ui_->lblComp, read("company"));
}

// The main window takes input again whichever way the player leaves.
void AboutWindow::enableMainWindow() {
    context_.windows.setEnabled(QStringLiteral("sp"), true);
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    enableMainWindow();
    event->accept();
}

void AboutWindow::closeAbout() {
    enableMainWindow();
    context_.windows.unload(objectName());
}

void AboutWindow::teaseUser() {
    context_.desktop.message(
        this, QStringLiteral(" It's your name, right ? So why did you click, stupid guy !!! :)"),
        QStringLiteral("Stupid guy"), MessageButtons::Ok, MessageIcon::Critical);
}

void AboutWindow::showSecret() {
    context_.windows.show(QStringLiteral("secret"));
}

}  // namespace skyloom
