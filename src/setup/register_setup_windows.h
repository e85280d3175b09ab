#pragma once

#include "shell/app_context.h"

namespace skyloom {

// The wizard pages, the configuration window and the three directory pickers.
void registerSetupWindows(const AppContext& context);

}  // namespace skyloom
