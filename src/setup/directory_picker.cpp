#include "setup/directory_picker.h"

#include <QDir>
#include <QLineEdit>

#include "shell/accessible_names.h"
#include "ui_directory_picker.h"

namespace skyloom {

DirectoryPicker::DirectoryPicker(const AppContext& context, const QString& caption, TargetOf target)
    : SetupDialog(context),
      target_(std::move(target)),
      ui_(std::make_unique<Ui::DirectoryPicker>()) {
    ui_->setupUi(this);
    setWindowTitle(caption);
    nameComboBox(ui_->drve, QStringLiteral("Drive"));
    ui_->drve->setRoots(volumeRoots());
    connect(ui_->drve, &QComboBox::currentIndexChanged, this, &DirectoryPicker::openDrive);
    connect(ui_->Command1, &QPushButton::clicked, this, &DirectoryPicker::takeFolder);
    connect(ui_->Command2, &QPushButton::clicked, this, &DirectoryPicker::cancel);
}

DirectoryPicker::~DirectoryPicker() = default;

// The caption, and with it the target, is final once the picker shows.
void DirectoryPicker::showEvent(QShowEvent* event) {
    SetupDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QString start;
    const PickerTarget target = target_(windowTitle());
    if (QWidget* window = context_.windows.find(target.window)) {
        if (const auto* field = window->findChild<QLineEdit*>(target.field)) start = field->text();
        // A picker left open when its window moves on goes with it.
        connect(window, &QObject::destroyed, this,
                [this] { context_.windows.unload(objectName()); });
    }
    // The folder the field names, else the home folder.
    if (!QDir::isAbsolutePath(start) || !ui_->rep->setFolder(start)) {
        if (!ui_->rep->setFolder(QDir::homePath())) ui_->rep->setFolder(QDir::rootPath());
    }
    ui_->drve->showRootOf(ui_->rep->folder());
}

void DirectoryPicker::openDrive() {
    const QString root = ui_->drve->root();
    if (ui_->rep->setFolder(root)) return;
    QString shown = root;
    if (!shown.endsWith(QDir::separator())) shown += QDir::separator();
    context_.desktop.message(this,
                             shown + QStringLiteral(" n'est pas accessible.\r\n\r\n"
                                                    "Le périphérique n'est pas prêt."),
                             QStringLiteral("Lecteur ") + root, MessageButtons::Ok,
                             MessageIcon::Critical);
    ui_->drve->showRootOf(ui_->rep->folder());
}

void DirectoryPicker::takeFolder() {
    const PickerTarget target = target_(windowTitle());
    // A receiver closed meanwhile gets nothing: it is not reopened behind the player's back.
    if (QWidget* window = context_.windows.find(target.window)) {
        if (auto* field = window->findChild<QLineEdit*>(target.field))
            field->setText(ui_->rep->folder());
    }
    context_.windows.unload(objectName());
}

void DirectoryPicker::cancel() {
    context_.windows.unload(objectName());
}

}  // namespace skyloom
