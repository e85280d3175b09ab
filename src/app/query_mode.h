#pragma once

#include <string>

namespace skyloom {

// `skyloom --query HOST[:PORT]` (27015 by default): asks the server for its information and
// players and prints them. 0: answered, 1: no answer, 2: an invalid answer or no server address.
// Needs a QCoreApplication.
int runQuery(const std::string& target);

}  // namespace skyloom
