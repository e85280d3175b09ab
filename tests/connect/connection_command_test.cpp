#include "connect/connection_command.h"

#include <gtest/gtest.h>

using skyloom::ComposeConnectCommand;

TEST(ComposeConnectCommand, joinsProgramConsoleAndServerAsTyped) {
    struct Case {
        const char* program;
        const char* address;
        const char* port;
        const char* line;
    };
    const Case cases[] = {
        {"C:\\Half Life\\hl.exe", "10.0.0.7", "27015",
         "C:\\Half Life\\hl.exe -console +connect 10.0.0.7:27015"},
        {"error", "play.example", "27016", "error -console +connect play.example:27016"},
        // An empty address still starts the game: the port follows " +connect " directly.
        {"hl.exe", "", "27015", "hl.exe -console +connect :27015"},
        {"hl.exe", "10.0.0.7", "", "hl.exe -console +connect 10.0.0.7:"},
        {"hl.exe", "", "", "hl.exe -console +connect :"},
        // Blanks are neither trimmed nor quoted.
        {"hl.exe", " 10.0.0.7 ", " 27015 ", "hl.exe -console +connect  10.0.0.7 : 27015 "},
        {"hl.exe", "my server", "2 7", "hl.exe -console +connect my server:2 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ComposeConnectCommand(c.program, c.address, c.port), c.line);
    }
}
