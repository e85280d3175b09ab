#pragma once

#include <QDialog>
#include <memory>

#include "shell/app_context.h"

namespace Ui {
class AboutWindow;
}

namespace skyloom {

// The About window `frmAbout`: product, user, sites. Opens over a disabled main window and
// enables it again however it closes. A dialog, as screen readers present it.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(const AppContext& context, QWidget* parent = nullptr);
    ~AboutWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc closes (and unloads) rather than only hiding.
    void reject() override { close(); }

private:
    void showUser();
    void enableMainWindow();
    void closeAbout();
    void teaseUser();
    void showSecret();

    AppContext context_;
    std::unique_ptr<Ui::AboutWindow> ui_;
};

}  // namespace skyloom
