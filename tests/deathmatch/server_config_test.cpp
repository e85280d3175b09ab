#include "deathmatch/server_config.h"

#include <gtest/gtest.h>

#include "fuzz.h"

using namespace skyloom;
using S = ServerSettings;
const std::string kValueLines =
    "mp_fraglimit 0\r\nmp_timelimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\nsv_maxspectators 0\r\n"
    "hostname \"My party - Skyloom\"\r\n";

TEST(ServerSettingsCheck, reportsTheFirstBrokenRuleOnlyAndRefusesWhatWouldForgeCommands) {
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
    // Refused by name: what could end a quoted value or a command; numbers: sign, digits, a point.
    const struct {
        std::string S::*field;
        const char* value;
        const char* problem;  // empty: accepted
    } forged[] = {
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
    for (const auto& c : forged) {
        S s{.password = true, .passwordvalue = "pw"};
        s.*c.field = c.value;
        const auto problem = checkServerSettings(s);
        const std::string text = problem ? problem->text : "";
        EXPECT_EQ(text.substr(0, text.find(". Remove")), c.problem) << c.value;
    }
}

TEST(ServerConfigFile, writesTickedOptionsThenValuesThenPasswordAndReadsThemBack) {
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
    // What a save wrote comes back; what the window could not show keeps its default, and lines
    // that are not the window's own stay for the next save, before its lines.
    S saved;
    saved.mp_friendlyfire = saved.falldamage = saved.password = true;
    saved.partyname = "Caf\xC3\xA9 night; 2";
    saved.passwordvalue = "pw 12345";  // each value at its field's full length
    saved.maxplayersvalue = "12";
    saved.fraglimitvalue = "3000";
    saved.timelimitvalue = "2000";
    saved.sv_gravityvalue = "-8.5";
    saved.maxspectatorsvalue = "+2";
    saved.maxpingvalue = "90";
    const std::string text = serverConfigText(saved);
    EXPECT_NE(text.find("mp_fraglimit 3000\r\nmp_timelimit 2000\r\nmaxplayers 12\r\n"), text.npos);
    auto back = readServerConfig(text);
    saved.maxpingvalue = "500";  // no line holds it
    EXPECT_EQ(serverConfigText(back.settings), text);
    EXPECT_EQ(back.settings.maxpingvalue, "500");
    EXPECT_TRUE(back.keptLines.empty());
    back = readServerConfig(
        "// mine\nmp_teamplay 1\r\nMP_FLASHLIGHT 1\nsv_cheats 2\nmaxplayers 1000\n"
        "mp_timelimit 5;quit\nhostname \"a\"b\"\nhostname\nsv_password \"123456789\"\n\n"
        "  sv_gravity 1\nmp_fraglimit 7");
    const std::vector<std::string> foreign = {"// mine", "mp_teamplay 1", "  sv_gravity 1"};
    EXPECT_EQ(back.keptLines, foreign);
    S expected;
    expected.mp_flashlight = true;
    expected.fraglimitvalue = "7";
    EXPECT_EQ(serverConfigText(back.settings), serverConfigText(expected));
    EXPECT_EQ(serverConfigText(expected, foreign).substr(0, 40),
              "// mine\r\nmp_teamplay 1\r\n  sv_gravity 1\r\n");
    EXPECT_EQ(joinText({"192.168.1.5", "10.0.0.2"}).substr(0, 73),
              "Friends on your network join at 192.168.1.5:27015 or 10.0.0.2:27015. From");
    EXPECT_EQ(joinText({}).substr(0, 40), "This computer has no network address: fr");
    // Read no further than the budget.
    EXPECT_EQ(readServerConfig(std::string(2000, '\n') + "sv_cheats 1").settings.sv_cheats, false);
    test::fuzz({text, "hostname \"x\r\nsv_password y\n"}, 20000, [](const std::string& bytes) {
        const auto file = readServerConfig(bytes);
        EXPECT_FALSE(checkServerSettings(file.settings) && file.settings.partyname != " ");
    });
}
