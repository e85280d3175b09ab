#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "app/app_context.h"

namespace Ui {
class PathsPanel;
}

namespace skyloom {

// What differs between the wizard's paths page and the configuration window.
struct PathsPanelLook {
    const char* hlFrame;       // frmHLC
    const char* programLabel;  // Label1
    const char* tfcCheck;      // chkTFC
    const char* dialogTitle;   // the file dialog of Command2
    const char* dialogFilter;
};

inline constexpr PathsPanelLook kWizardPathsLook{
    "Half-Life ", "Program : ", "&Team Fortress Classic is installed", "Choose your program",
    "Half-Life Program (hl.exe) | hl.exe"};
inline constexpr PathsPanelLook kConfigPathsLook{
    "Half-Life :", "Program :", "&Team Fortress Classic is intalled",
    "Choose your Half-Life executable", "Half-Life executable (hl.exe) | hl.exe"};

struct PathsValues {
    bool tfc = false;
    std::string program;
    std::string maps;
    std::string tfcmaps;
};

// The paths of hl.exe, the maps folder, the Team Fortress Classic flag and its maps folder. The
// Browse buttons of the two folders open pickers; the window holding the panel connects them.
class PathsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit PathsPanel(QWidget* parent = nullptr);
    ~PathsPanel() override;

    // Takes its window's captions and fills the fields from the settings file.
    void load(const AppContext& context, const PathsPanelLook& look);

    PathsValues values() const;
    Ui::PathsPanel& ui() { return *ui_; }

private:
    void chkTFC_Click();
    void Command2_Click();

    std::optional<AppContext> context_;
    PathsPanelLook look_ = kWizardPathsLook;
    std::unique_ptr<Ui::PathsPanel> ui_;
};

}  // namespace skyloom
