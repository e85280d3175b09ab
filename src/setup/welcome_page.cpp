#include "setup/welcome_page.h"

#include "setup/wizard_picture.h"
#include "ui_welcome_page.h"

namespace skyloom {

WelcomePage::WelcomePage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::WelcomePage>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Welcome));
    connect(ui_->cmdNext, &QPushButton::clicked, this,
            [this] { handOver(QStringLiteral("firstuse2")); });
}

WelcomePage::~WelcomePage() = default;

}  // namespace skyloom
