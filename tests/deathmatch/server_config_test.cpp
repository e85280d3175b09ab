#include "deathmatch/server_config.h"

#include <gtest/gtest.h>

using S = skyloom::ServerSettings;
const std::string kValueLines =
    "mp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\nsv_maxspectators 0\r\n"
    "hostname My party - Skyloom\r\n";

TEST(ServerSettingsCheck, reportsTheFirstBrokenRuleOnly) {
    const struct {
        const char *party, *ping, *players, *password, *problem;  // password: nullptr if unticked
    } cases[] = {
        {"  ", "  ", "", "x", ""},
        {"", " ", " ", "", "You must specify your party name | Skyloom"},
        {" ", " ", " ", "", "Please type your password or uncheck the password case | Error !"},
        {" ", " ", " ", "x", "You MUST type a party name | Party name"},
        {"  ", " ", " ", nullptr, "Please specify the maximum ping allowed | Max ping"},
        {"P", "", " ", nullptr, "Please define the maximum player allowed | Max players"}};
    for (const auto& c : cases) {
        S s;
        s.partyname = c.party;
        s.maxpingvalue = c.ping;
        s.maxplayersvalue = c.players;
        s.password = c.password != nullptr;
        s.passwordvalue = c.password ? c.password : "";
        s.sv_gravityvalue = s.maxspectatorsvalue = s.fraglimitvalue = s.timelimitvalue = " ";
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
    EXPECT_EQ(serverConfigText(s), options + kValueLines + "sv_password s3 cr\"t\r\n");
    s.passwordvalue = "";
    EXPECT_EQ(serverConfigText(s), options + kValueLines + "sv_password \r\n");
}
