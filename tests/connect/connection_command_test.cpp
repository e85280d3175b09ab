#include "connect/connection_command.h"

#include <gtest/gtest.h>

using skyloom::checkServerAddress;

TEST(ServerAddressCheck, acceptsNamesAndLiteralsTrimmedAndNamesTheFieldInError) {
    const struct {
        const char *address, *port;
        const char* expected;  // the composed line, or the field the message names
    } cases[] = {
        {"10.0.0.7", "27015", "hl.exe -console +connect 10.0.0.7:27015"},
        {"  hl.example.org \t", " 27016 ", "hl.exe -console +connect hl.example.org:27016"},
        {"my_server-1.lan.", "1", "hl.exe -console +connect my_server-1.lan.:1"},
        {"::1", "65535", "hl.exe -console +connect [::1]:65535"},
        {"[2001:db8::7]", "27015", "hl.exe -console +connect [2001:db8::7]:27015"},
        {"::ffff:10.0.0.7", "27015", "hl.exe -console +connect [::ffff:10.0.0.7]:27015"},
        {"1:2:3:4:5:6:7:8", "27015", "hl.exe -console +connect [1:2:3:4:5:6:7:8]:27015"},
        {"", "27015", "IP adress"},
        {"my server", "27015", "IP adress"},
        {"x\";quit", "27015", "IP adress"},
        {"x;quit", "27015", "IP adress"},
        {"10.0.0.256", "27015", "IP adress"},
        {"-bad.org", "27015", "IP adress"},
        {"1::2::3", "27015", "IP adress"},
        {"1:2:3:4:5:6:7:8:9", "27015", "IP adress"},
        {"[10.0.0.7]", "27015", "IP adress"},
        {"10.0.0.7", "0", "Port"},
        {"10.0.0.7", "65536", "Port"},
        {"10.0.0.7", "2 7", "Port"},
        {"10.0.0.7", "", "Port"},
        {"10.0.0.7", "27015 +exec x", "Port"},
    };
    for (const auto& c : cases) {
        const auto check = checkServerAddress(c.address, c.port);
        const std::string got = check.problem ? check.problem->substr(0, check.problem->find(':'))
                                              : skyloom::ComposeConnectCommand("hl.exe", check.server).line();
        EXPECT_EQ(got, c.expected) << c.address << " | " << c.port;
    }
}
