#pragma once

#include "shell/app_context.h"

namespace skyloom {

// Tells the registry how to build each window of the program.
void registerWindows(const AppContext& context);

}  // namespace skyloom
