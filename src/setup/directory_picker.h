#pragma once

#include <functional>
#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class DirectoryPicker;
}

namespace skyloom {

// The caption the wizard's paths page gives `DirMaps`, by which the picker knows it serves that
// page rather than the configuration window.
inline constexpr char kWizardMapsCaption[] = "First configuration - Maps directory";

// The text box that receives the chosen folder: a window by name and a field of it.
struct PickerTarget {
    QString window;
    QString field;
};

// A drive list and a directory list; OK hands the open folder to a field of the window that
// opened the picker. The three pickers differ only in their caption and their target.
class DirectoryPicker final : public SetupDialog {
    Q_OBJECT
public:
    using TargetOf = std::function<PickerTarget(const QString& caption)>;

    DirectoryPicker(const AppContext& context, const QString& caption, TargetOf target);
    ~DirectoryPicker() override;

protected:
    void reject() override { cancel(); }
    void showEvent(QShowEvent* event) override;

private:
    void openDrive();
    void takeFolder();
    void cancel();

    TargetOf target_;
    bool started_ = false;
    std::unique_ptr<Ui::DirectoryPicker> ui_;
};

}  // namespace skyloom
