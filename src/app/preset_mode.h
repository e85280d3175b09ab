#pragma once

#include <string>

#include "app/app_context.h"

namespace skyloom {

// `--preset NAME`: starts the game as the main window would with the preset's set-up, without
// opening a window. A missing preset or a start that cannot happen is told in the usual box.
// The exit status: 0 when the game started, 1 otherwise.
int runPreset(const AppContext& context, const std::string& name);

}  // namespace skyloom
