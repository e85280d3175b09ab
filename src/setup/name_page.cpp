#include "setup/name_page.h"

#include "setup/wizard_picture.h"
#include "shell/save_settings.h"
#include "ui_name_page.h"

namespace skyloom {

NamePage::NamePage(const AppContext& context)
    : SetupDialog(context), ui_(std::make_unique<Ui::NamePage>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(wizardPicture(ui_->Picture1->size(), WizardStep::Name));
    connect(ui_->cmdPrev, &QPushButton::clicked, this,
            [this] { handOver(QStringLiteral("firstuse1")); });
    connect(ui_->cmdNext, &QPushButton::clicked, this, &NamePage::next);
}

NamePage::~NamePage() = default;

void NamePage::next() {
    // Only the empty string counts as missing: blanks are a name.
    const auto refuse = [this](const char* text, const char* title) {
        context_.desktop.message(this, QString::fromUtf8(text), QString::fromUtf8(title),
                                 MessageButtons::Ok, MessageIcon::None);
    };
    if (ui_->txtNick->text().isEmpty()) return refuse("Please enter a nickname", "Nickname");
    if (ui_->txtClan->text().isEmpty())
        return refuse("Please enter an organisation name or a clan name", "Organisation");
    if (!saveSettings(context_, this,
                      {{"MISC", "user", ui_->txtNick->text().toStdString()},
                       {"MISC", "company", ui_->txtClan->text().toStdString()}}))
        return;
    handOver(QStringLiteral("firstuseconfig"));
}

}  // namespace skyloom
