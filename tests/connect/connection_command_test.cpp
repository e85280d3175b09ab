#include "connect/connection_command.h"

#include <gtest/gtest.h>

TEST(ComposeConnectCommand, joinsProgramConsoleAndServerAsTyped) {
    const char* cases[][4] = {
        {"hl.exe", "10.0.0.7", "27015", "hl.exe -console +connect 10.0.0.7:27015"},
        {"hl.exe", "", "27015", "hl.exe -console +connect :27015"},
        {"hl.exe", "10.0.0.7", "", "hl.exe -console +connect 10.0.0.7:"},
        {"hl.exe", " my server ", " 2 7 ", "hl.exe -console +connect  my server : 2 7 "}};
    for (const auto& c : cases)
        EXPECT_EQ(skyloom::ComposeConnectCommand(c[0], c[1], c[2]), c[3]) << c[3];
}
