#pragma once

#include <QPixmap>

namespace skyloom {

enum class WizardStep { Welcome, Name, Paths, Done };

// The banner at the side of each wizard page, drawn by the program itself: the splash's evening
// sky and loom threads, with a sign of the page's step.
QPixmap wizardPicture(QSize size, WizardStep step);

}  // namespace skyloom
