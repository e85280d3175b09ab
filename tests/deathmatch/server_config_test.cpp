#include "deathmatch/server_config.h"

#include <gtest/gtest.h>

using S = skyloom::ServerSettings;
const std::string kValueLines =
    "mp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\nsv_maxspectators 0\r\n"
    "hostname \"My party - Skyloom\"\r\n";

TEST(ServerSettingsCheck, reportsTheFirstBrokenRuleOnly) {
    const struct {
        const char *party, *ping, *players, *password, *problem;  // password: nullptr if unticked
    } cases[] = {
        {"  ", "", "", "x", ""},
        {"", " ", " ", "", "You must specify your party name | Skyloom"},
        {" ", " ", " ", "", "Please type your password or uncheck the password case | Error !"},
        {" ", " ", " ", "x", "You MUST type a party name | Party name"},
        {"  ", " ", " ", nullptr, "Please specify the maximum ping allowed | Max ping"}};
    for (const auto& c : cases) {
        S s;
        s.partyname = c.party;
        s.maxpingvalue = c.ping;
        s.maxplayersvalue = c.players;
        s.password = c.password != nullptr;
        s.passwordvalue = c.password ? c.password : "";
        s.sv_gravityvalue = s.maxspectatorsvalue = s.fraglimitvalue = s.timelimitvalue = "";
        const auto problem = checkServerSettings(s);
        EXPECT_EQ(problem ? problem->text + " | " + problem->title : "", c.problem) << c.party;
    }
}

TEST(ServerConfigText, writesTickedOptionsInOrderThenTheValuesThenThePassword) {
    S s;
    s.passwordvalue = "s3 cr\"t";
    EXPECT_EQ(serverConfigText(s), kValueLines);
    for (bool S::*box : {&S::dl, &S::ul, &S::falldamage, &S::mp_autocrosshair, &S::mp_flashlight,
                         &S::sv_cheats, &S::mp_forcerespawn, &S::mp_footsteps, &S::mp_weaponstay,
                         &S::mp_friendlyfire, &S::chase_active, &S::cl_download_ingame})
        s.*box = true;
    s.password = true;
    const std::string options =
        "cl_allowdownload 1\r\ncl_allowupload 1\r\nmp_falldamage 0\r\nmp_autocrosshair 0\r\n"
        "mp_flashlight 1\r\nsv_cheats 1\r\nmp_forcerespawn 1\r\nmp_footsteps 1\r\n"
        "mp_weaponstay 1\r\nmp_friendlyfire 1\r\nchase_active 1\r\ncl_download_ingame 0\r\n";
    EXPECT_EQ(serverConfigText(s), options + kValueLines + "sv_password \"s3 cr\"t\"\r\n");
}

// What could end a quoted value or a command is refused by name; numbers: sign, digits, a point.
TEST(ServerSettingsCheck, refusesWhatWouldForgeConsoleCommands) {
    const struct {
        std::string S::*field;
        const char* value;
        const char* problem;  // empty: accepted
    } cases[] = {
        {&S::partyname, "x; quit", ""},
        {&S::partyname, "x\" quit", "Party name cannot hold the character \""},
        {&S::partyname, "x\nquit", "Party name cannot hold a line break (LF)"},
        {&S::passwordvalue, "a\rb", "Password cannot hold a line break (CR)"},
        {&S::sv_gravityvalue, "-0.5", ""},
        {&S::sv_gravityvalue, "1.2.3", "Gravity cannot hold the character ."},
        {&S::maxspectatorsvalue, "1-", "Max spectators cannot hold the character -"},
        {&S::fraglimitvalue, "0;quit", "Frag limit cannot hold the character ;"},
        {&S::timelimitvalue, "5 ", "Time limit cannot hold a blank"},
        {&S::maxplayersvalue, "32\xC2\xA0", "Max. players cannot hold a no-break space (U+00A0)"},
        {&S::fraglimitvalue, "\xC3\xA9", "Frag limit cannot hold the character \xC3\xA9 (U+00E9)"},
        {&S::maxpingvalue, "5\n", "Max. ping cannot hold a line break (LF)"},
    };
    for (const auto& c : cases) {
        S s;
        s.password = true;
        s.passwordvalue = "pw";
        s.*c.field = c.value;
        const auto problem = checkServerSettings(s);
        const std::string text = problem ? problem->text : "";
        EXPECT_EQ(text.substr(0, text.find(". Remove")), c.problem) << c.value;
    }
}
