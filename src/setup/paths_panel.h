#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "games/installs.h"
#include "shell/app_context.h"

class QLineEdit;

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
    "Half-Life Program (hl.exe hl_linux hl.sh) | hl.exe hl_linux hl.sh"};
inline constexpr PathsPanelLook kConfigPathsLook{
    "Half-Life :", "Program :", "&Team Fortress Classic is intalled",
    "Choose your Half-Life executable",
    "Half-Life executable (hl.exe hl_linux hl.sh) | hl.exe hl_linux hl.sh"};

struct PathsValues {
    bool tfc = false;
    std::string program;
    std::string maps;
    std::string tfcmaps;
};

// The paths of hl.exe, the maps folder, the Team Fortress Classic flag and its maps folder. The
// Browse buttons of the two folders open pickers; the window holding the panel connects them.
// "Find the game" fills the fields from an install found on this machine.
class PathsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit PathsPanel(QWidget* parent = nullptr);
    ~PathsPanel() override;

    // Takes its window's captions and fills the fields from the settings file; when they hold
    // nothing configured, from the machine's one install or the one the player picks of several.
    void load(const AppContext& context, const PathsPanelLook& look);

    PathsValues values() const;
    // Between the start of a search for installs and its answer reaching the fields.
    bool searching() const { return searching_; }
    Ui::PathsPanel& ui() { return *ui_; }

private:
    void enableTfc();
    void pickProgram();
    void searchInstalls();
    void search(bool asked);
    void searchDone();
    void fill(const GameInstall& install);
    void showPath(QLineEdit* field, const std::string& bytes);
    std::string pathOf(const QLineEdit* field) const;

    std::optional<AppContext> context_;
    PathsPanelLook look_ = kWizardPathsLook;
    std::unique_ptr<Ui::PathsPanel> ui_;
    // Each path field's bytes as read or found, for a field that still shows them.
    std::map<const QLineEdit*, std::string> shownPaths_;
    // Detection reads a few files, but a slow or hung mount must not hold the window.
    QFutureWatcher<InstallsFound> search_;
    bool searching_ = false;
    bool asked_ = false;  // the player pressed the button (else: filling in on open)
};

}  // namespace skyloom
