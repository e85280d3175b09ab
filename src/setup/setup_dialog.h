#pragma once

#include <QCloseEvent>
#include <QDialog>

#include "shell/app_context.h"

namespace skyloom {

// The setup windows are dialogs for their default buttons (Enter). Esc does nothing unless a
// window has a cancel button, and a frame close unloads the window (the registry made it delete
// on close) without going through reject() as QDialog would.
class SetupDialog : public QDialog {
public:
    explicit SetupDialog(const AppContext& context) : context_(context) {}

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->accept(); }

    // Opens the named window, then unloads this one: the program never ends in between.
    void handOver(const QString& next) {
        context_.windows.show(next);
        context_.windows.unload(objectName());
    }

    AppContext context_;
};

}  // namespace skyloom
