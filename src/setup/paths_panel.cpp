#include "setup/paths_panel.h"

#include <QDir>

#include "app/system_colours.h"
#include "ui_paths_panel.h"

namespace skyloom {

PathsPanel::PathsPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::PathsPanel>()) {
    ui_->setupUi(this);
    // The check box's rule runs whenever its state changes, by the player or by load.
    connect(ui_->chkTFC, &QCheckBox::toggled, this, &PathsPanel::chkTFC_Click);
    connect(ui_->Command2, &QPushButton::clicked, this, &PathsPanel::Command2_Click);
}

PathsPanel::~PathsPanel() = default;

void PathsPanel::load(const AppContext& context, const PathsPanelLook& look) {
    context_.emplace(context);
    look_ = look;
    ui_->frmHLC->setTitle(QString::fromUtf8(look.hlFrame));
    ui_->Label1->setText(QString::fromUtf8(look.programLabel));
    ui_->chkTFC->setText(QString::fromUtf8(look.tfcCheck));

    const Settings& settings = context.settings;
    const std::string tfc = settings.read("MISC", "tfc", "error", 100);
    const auto show = [&](QLineEdit* field, const char* key) {
        field->setText(QString::fromStdString(settings.readPath(key, "error")));
    };
    show(ui_->program, "program");
    show(ui_->txtMaps, "maps");
    show(ui_->TFCmaps, "tfcmaps");
    ui_->chkTFC->setChecked(tfc == "true");
    chkTFC_Click();
}

void PathsPanel::chkTFC_Click() {
    const bool checked = ui_->chkTFC->isChecked();
    ui_->TFCmaps->setEnabled(checked);
    setBackground(ui_->TFCmaps, checked ? SystemColour::WindowBackground : SystemColour::ScrollBar);
}

void PathsPanel::Command2_Click() {
    if (!context_) return;
    // A cancelled dialog leaves the field as it was.
    const std::optional<QString> file = context_->desktop.openFile(
        window(), QString::fromUtf8(look_.dialogTitle), QString::fromUtf8(look_.dialogFilter));
    if (file) ui_->program->setText(QDir::toNativeSeparators(*file));
}

PathsValues PathsPanel::values() const {
    return {ui_->chkTFC->isChecked(), ui_->program->text().toStdString(),
            ui_->txtMaps->text().toStdString(), ui_->TFCmaps->text().toStdString()};
}

}  // namespace skyloom
