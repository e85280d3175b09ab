#pragma once

#include <cstdio>
#include <string>

#include "servers/server_network.h"

namespace skyloom {

// `skyloom --query HOST[:PORT]` (27015 by default): asks the server for its information and
// players and prints them, the information as soon as it comes. 0: answered, 1: no answer, 2: an
// invalid answer or no server address. Needs a QCoreApplication.
int runQuery(const std::string& target, const ServerNetwork& network = systemServerNetwork(),
             std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace skyloom
