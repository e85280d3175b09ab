#include "deathmatch/server_config.h"

#include <gtest/gtest.h>

#include <functional>

using skyloom::checkServerSettings;
using skyloom::serverConfigText;
using skyloom::ServerSettings;

namespace {

struct CheckCase {
    const char* name;
    std::function<void(ServerSettings&)> change;
    const char* text;  // nullptr: the check passes
    const char* title;
};

class ServerSettingsCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(ServerSettingsCheck, reportsFirstFailingRule) {
    ServerSettings s;
    GetParam().change(s);
    const auto problem = checkServerSettings(s);
    if (GetParam().text == nullptr) {
        EXPECT_FALSE(problem.has_value()) << problem->text;
        return;
    }
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->text, GetParam().text);
    EXPECT_EQ(problem->title, GetParam().title);
}

const CheckCase kCheckCases[] = {
    {"defaults", [](ServerSettings&) {}, nullptr, nullptr},
    {"emptyPartyBeforePassword",
     [](ServerSettings& s) {
         s.partyname = "";
         s.password = true;
     },
     "You must specify your party name", "Skyloom"},
    {"passwordBeforeBlankParty",
     [](ServerSettings& s) {
         s.partyname = " ";
         s.password = true;
     },
     "Please type your password or uncheck the password case", "Error !"},
    {"blankParty", [](ServerSettings& s) { s.partyname = " "; }, "You MUST type a party name",
     "Party name"},
    {"twoBlankPartyPasses", [](ServerSettings& s) { s.partyname = "  "; }, nullptr, nullptr},
    {"blankPartyBeforeBlankPing",
     [](ServerSettings& s) {
         s.partyname = " ";
         s.maxpingvalue = " ";
     },
     "You MUST type a party name", "Party name"},
    {"emptyPingPasses", [](ServerSettings& s) { s.maxpingvalue = ""; }, nullptr, nullptr},
    {"blankPing", [](ServerSettings& s) { s.maxpingvalue = " "; },
     "Please specify the maximum ping allowed", "Max ping"},
    {"blankPingBeforeBlankPlayers",
     [](ServerSettings& s) {
         s.maxpingvalue = " ";
         s.maxplayersvalue = " ";
     },
     "Please specify the maximum ping allowed", "Max ping"},
    {"emptyPlayersPasses", [](ServerSettings& s) { s.maxplayersvalue = ""; }, nullptr, nullptr},
    {"blankPlayers", [](ServerSettings& s) { s.maxplayersvalue = " "; },
     "Please define the maximum player allowed", "Max players"},
    {"typedPasswordPasses",
     [](ServerSettings& s) {
         s.password = true;
         s.passwordvalue = "x";
     },
     nullptr, nullptr},
    {"passwordClearedIgnoresEmptyField", [](ServerSettings& s) { s.password = false; }, nullptr,
     nullptr},
    {"otherFieldsNeverChecked",
     [](ServerSettings& s) {
         s.sv_gravityvalue = " ";
         s.maxspectatorsvalue = " ";
         s.fraglimitvalue = " ";
         s.timelimitvalue = " ";
     },
     nullptr, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rules, ServerSettingsCheck, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

const char kValueLines[] =
    "mp_fraglimit 0\r\n"
    "maxplayers 32\r\n"
    "sv_gravity 800\r\n"
    "sv_maxspectators 0\r\n"
    "hostname My party - Skyloom\r\n";

TEST(ServerConfigText, defaults_areExactlyFiveValueLines) {
    EXPECT_EQ(serverConfigText(ServerSettings{}), kValueLines);
}

TEST(ServerConfigText, everyOption_inTableOrderBeforeValues) {
    ServerSettings s;
    for (bool* box : {&s.dl, &s.ul, &s.falldamage, &s.mp_autocrosshair, &s.mp_flashlight,
                      &s.sv_cheats, &s.mp_forcerespawn, &s.mp_footsteps, &s.mp_weaponstay,
                      &s.mp_friendlyfire, &s.chase_active, &s.cl_download_ingame})
        *box = true;
    EXPECT_EQ(serverConfigText(s), std::string("cl_allowdownload 1\r\n"
                                               "cl_allowupload 1\r\n"
                                               "mp_falldamage 0\r\n"
                                               "mp_autocrosshair 0\r\n"
                                               "mp_flashlight 1\r\n"
                                               "sv_cheats 1\r\n"
                                               "mp_forcerespawn 1\r\n"
                                               "mp_footsteps 1\r\n"
                                               "mp_weaponstay 1\r\n"
                                               "mp_friendlyfire 1\r\n"
                                               "chase_active 1\r\n"
                                               "cl_download_ingame 0\r\n") +
                                       kValueLines);
}

TEST(ServerConfigText, eachOption_writesItsOwnLine) {
    const std::pair<bool ServerSettings::*, const char*> boxes[] = {
        {&ServerSettings::dl, "cl_allowdownload 1"},
        {&ServerSettings::ul, "cl_allowupload 1"},
        {&ServerSettings::falldamage, "mp_falldamage 0"},
        {&ServerSettings::mp_autocrosshair, "mp_autocrosshair 0"},
        {&ServerSettings::mp_flashlight, "mp_flashlight 1"},
        {&ServerSettings::sv_cheats, "sv_cheats 1"},
        {&ServerSettings::mp_forcerespawn, "mp_forcerespawn 1"},
        {&ServerSettings::mp_footsteps, "mp_footsteps 1"},
        {&ServerSettings::mp_weaponstay, "mp_weaponstay 1"},
        {&ServerSettings::mp_friendlyfire, "mp_friendlyfire 1"},
        {&ServerSettings::chase_active, "chase_active 1"},
        {&ServerSettings::cl_download_ingame, "cl_download_ingame 0"},
    };
    for (const auto& [box, line] : boxes) {
        ServerSettings s;
        s.*box = true;
        EXPECT_EQ(serverConfigText(s), std::string(line) + "\r\n" + kValueLines);
    }
}

TEST(ServerConfigText, password_lastLineOnlyWhenTicked) {
    ServerSettings s;
    s.passwordvalue = "s3 cr\"t";
    EXPECT_EQ(serverConfigText(s), kValueLines);  // cleared: the field is ignored
    s.password = true;
    EXPECT_EQ(serverConfigText(s), std::string(kValueLines) + "sv_password s3 cr\"t\r\n");
    s.passwordvalue = "";
    EXPECT_EQ(serverConfigText(s), std::string(kValueLines) + "sv_password \r\n");
}

TEST(ServerConfigText, values_asTypedUntrimmedUnquoted) {
    ServerSettings s;
    s.partyname = "  Lambda  Core \xC3\xA9t\xC3\xA9 ";
    s.maxplayersvalue = "";
    s.sv_gravityvalue = " 80";
    s.maxspectatorsvalue = "";
    s.fraglimitvalue = "x y";
    s.timelimitvalue = "999";
    s.maxpingvalue = "77";
    EXPECT_EQ(serverConfigText(s),
              "mp_fraglimit x y\r\n"
              "maxplayers \r\n"
              "sv_gravity  80\r\n"
              "sv_maxspectators \r\n"
              "hostname   Lambda  Core \xC3\xA9t\xC3\xA9 \r\n");
}

}  // namespace
