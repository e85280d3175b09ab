#pragma once

#include <QWidget>
#include <memory>

#include "app/app_context.h"

namespace Ui {
class AboutWindow;
}

namespace skyloom {

// The About window `frmAbout`: product, user, sites. Opens over a disabled main window and
// enables it again however it closes.
class AboutWindow final : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(const AppContext& context, QWidget* parent = nullptr);
    ~AboutWindow() override;

    Ui::AboutWindow& ui() { return *ui_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void cmdOK_Click();
    void lblUser_Click();
    void Picture1_Click();

    AppContext context_;
    std::unique_ptr<Ui::AboutWindow> ui_;
};

}  // namespace skyloom
