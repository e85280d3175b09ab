#include "shell/designed_layout.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace skyloom {

void makeResizable(QMainWindow* window) {
    QWidget* controls = window->takeCentralWidget();
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("scrollControls"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes through the controls only
    scroll->setWidgetResizable(true);
    scroll->setWidget(controls);
    window->setCentralWidget(scroll);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    // The menu bar, the status bar and the title bar take the rest of the screen's height.
    const auto* status = window->findChild<QStatusBar*>({}, Qt::FindDirectChildrenOnly);
    const int bars =
        window->menuBar()->sizeHint().height() + (status ? status->sizeHint().height() : 0);
    QSize smallest = controls->minimumSizeHint();
    QSize whole = controls->sizeHint().expandedTo(smallest);
    if (const QScreen* screen = window->screen()) {
        const QSize room = screen->availableSize() - QSize(16, bars + 48);
        smallest = smallest.boundedTo(room);
        whole = whole.boundedTo(room);
    }
    scroll->setMinimumSize(smallest);
    window->resize(whole + QSize(0, bars));
}

}  // namespace skyloom
