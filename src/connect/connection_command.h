#pragma once

#include <string>
#include <string_view>

namespace skyloom {

// The game's path, " -console", " +connect " and the server as "address:port". The address and
// the port go in as typed: nothing is trimmed, quoted or checked.
std::string ComposeConnectCommand(std::string_view program, std::string_view address,
                                  std::string_view port);

}  // namespace skyloom
