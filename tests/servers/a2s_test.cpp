#include "servers/a2s.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "fuzz.h"
#include "servers/master_server.h"
#include "servers/server_address.h"
#include "servers/web_api.h"
#include "servers/server_text.h"

using namespace skyloom;
using namespace skyloom::test;
using namespace std::string_literals;

namespace {

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string describe(const Answer& a) {
    if (std::holds_alternative<InvalidAnswer>(a)) return "invalid";
    std::ostringstream o;
    if (auto* c = std::get_if<Challenge>(&a))
        o << "challenge " << int((*c)[0]) << ' ' << int((*c)[1]) << ' ' << int((*c)[2]) << ' '
          << int((*c)[3]);
    if (auto* i = std::get_if<ServerInfo>(&a)) {
        o << "info " << i->name << '|' << i->map << '|' << i->folder << '|' << i->game << '|'
          << i->version << " app " << i->appId << ' ' << i->players << '/' << i->maxPlayers
          << " bots " << i->bots << ' ' << i->serverType << i->environment << " pw " << i->password
          << " vac " << i->vac;
        if (i->gamePort) o << " port " << *i->gamePort;
    }
    if (auto* p = std::get_if<PlayerList>(&a)) {
        o << "players";
        for (const auto& e : *p) o << ' ' << e.name << ':' << e.score << ':' << e.seconds;
    }
    if (auto* r = std::get_if<RuleList>(&a)) {
        o << "rules";
        for (const auto& [k, v] : *r) o << ' ' << k << '=' << v;
    }
    return o.str();
}

const std::string kHead = "\xFF\xFF\xFF\xFF"s;
const std::string kInfo = kHead + "I\x30"s + "Frag\0crossfire\0valve\0Half-Life\0"s +
                          "\x46\x00\x05\x10\x02"s + "dl\x01\x01"s + "1.1.2.7\0"s;
const std::string kExtra = "\xF1\x87\x69"s + "\x01\x02\x03\x04\x05\x06\x07\x08"s +  // port, id
                           "\x88\x69"s + "tv\0kw\0"s + "\x46\0\0\0\0\0\0\0"s;
const std::string kOld = kHead + "m10.0.0.7:27015\0Old\0bounce\0tfc\0TFC\0"s + "\x07\x0C\x2F"s +
                         "dw\x00\x01"s + "http://x\0dl\0"s +
                         "\0\x01\0\0\0\x10\0\0\0\x00\x01\x01\x03"s;
const std::string kOldPlain =
    kHead + "m1.2.3.4:5\0O\0m\0f\0g\0\x01\x02\x2F"s + "lw\x01\x00\x00\x00"s;
// An HLTV relay's answer ends after the VAC byte: no bots byte.
const std::string kHltv = kHead + "m1.2.3.4:27020\0Counter-Strike dedicated server:0\0"s +
                          "as_oilrig\0cstrike\0hltv\0"s + "\x0A\x7F\x2F"s + "pw\x00\x00\x01"s;
const std::string kPlayers = kHead + "D\x02\x00"s + "Ann\0\x05\0\0\0\x00\x00\x48\x42\x01"s +
                             "Bob\0\xFF\xFF\xFF\xFF\x00\x00\x00\x00"s;
const std::string kRules =
    kHead + "E\x02\x00"s + "mp_timelimit\0"s + "30\0"s + "sv_gravity\0"s + "800\0"s;

struct ParseCase {
    const char* what;
    std::string packet;
    std::string expected;
    std::set<std::size_t> validPrefixes = {};  // shorter cuts that still make a whole answer
};

const ParseCase kParseCases[] = {
    {"info", kInfo, "info Frag|crossfire|valve|Half-Life|1.1.2.7 app 70 5/16 bots 2 dl pw 1 vac 1"},
    {"info with every extra field", kInfo + kExtra,
     "info Frag|crossfire|valve|Half-Life|1.1.2.7 app 70 5/16 bots 2 dl pw 1 vac 1 port 27015",
     {kInfo.size()}},
    {"info, unknown extra flags and trailing bytes ignored", kInfo + "\x02junk"s,
     "info Frag|crossfire|valve|Half-Life|1.1.2.7 app 70 5/16 bots 2 dl pw 1 vac 1",
     {kInfo.size(), kInfo.size() + 1, kInfo.size() + 2, kInfo.size() + 3, kInfo.size() + 4}},
    // The old form may end after the password, the mod block or the VAC byte.
    {"old form with a mod", kOld, "info Old|bounce|tfc|TFC| app 0 7/12 bots 3 dw pw 0 vac 1",
     {kOld.size() - 26, kOld.size() - 2, kOld.size() - 1}},
    {"old form without a mod", kOldPlain, "info O|m|f|g| app 0 1/2 bots 0 lw pw 1 vac 0",
     {kOldPlain.size() - 3, kOldPlain.size() - 2, kOldPlain.size() - 1}},
    {"old form of an HLTV relay", kHltv,
     "info Counter-Strike dedicated server:0|as_oilrig|cstrike|hltv| app 0 10/127 bots 0 pw pw 0 "
     "vac 1",
     {kHltv.size() - 2, kHltv.size() - 1}},
    {"challenge", kHead + "A\x11\x22\x33\x44"s, "challenge 17 34 51 68"},
    {"players", kPlayers, "players Ann:5:50 Bob:-1:0"},
    {"no players", kHead + "D\x00"s, "players"},
    {"rules", kRules, "rules mp_timelimit=30 sv_gravity=800"},
    {"invalid UTF-8 kept as bytes", kHead + "D\x01\x00\xC3\x28\0\x01\0\0\0\0\0\0\0"s,
     "players \xC3\x28:1:0"},
    {"unknown kind", kHead + "Z\x01\x02"s, "invalid"},
    {"no header", "\xFF\xFF\xFF\xFEI"s + kInfo.substr(5), "invalid"},
    {"split marker is not an answer", "\xFE\xFF\xFF\xFFI"s, "invalid"},
    {"empty", "", "invalid"},
    {"players count beyond the packet", kHead + "D\x03\x00"s + "A\0\0\0\0\0\0\0\0\0"s, "invalid"},
    {"string without its NUL", kHead + "I\x30"s + "Frag"s, "invalid"},
};

TEST(A2sParse, everyAnswerKindAndEveryTruncation) {
    for (const ParseCase& c : kParseCases) {
        const Bytes packet = bytes(c.packet);
        EXPECT_EQ(describe(parseAnswer(packet)), c.expected) << c.what;
        if (c.expected == "invalid") continue;
        // Cut anywhere, an answer is invalid, unless it ends where an optional part begins.
        for (std::size_t n = 0; n < packet.size(); ++n) {
            EXPECT_EQ(describe(parseAnswer(std::span(packet).first(n))) != "invalid",
                      c.validPrefixes.count(n) > 0)
                << c.what << " cut at " << n;
        }
    }
}

TEST(A2sRequest, carryTheirChallenge) {
    const Challenge c{0x11, 0x22, 0x33, 0x44};
    const std::pair<Bytes, std::string> cases[] = {
        {buildRequest(Request::Info), kHead + "TSource Engine Query\0"s},
        {buildRequest(Request::Info, c), kHead + "TSource Engine Query\0\x11\x22\x33\x44"s},
        {buildRequest(Request::Players), kHead + "U\xFF\xFF\xFF\xFF"s},
        {buildRequest(Request::Players, c), kHead + "U\x11\x22\x33\x44"s},
        {buildRequest(Request::Rules, c), kHead + "V\x11\x22\x33\x44"s},
    };
    for (const auto& [built, expected] : cases) EXPECT_EQ(built, bytes(expected)) << expected;
}

TEST(ServerText, namesOnOneLineAndQueryLines) {
    const std::pair<std::string, std::string> names[] = {
        {"Plain <b>&amp;", "Plain <b>&amp;"},
        {"Two\nlines\r\tand\x7F C1\xC2\x85 LS\xE2\x80\xA8", "Two lines  and  C1  LS "},
        {"\xE2\x80\xAE" "desrever\xE2\x80\xAC \xE2\x81\xA6iso\xE2\x81\xA9 \xE2\x80\x8Fmark",
         "desrever iso \xE2\x80\x8Fmark"},
        {"caf\xC3\xA9 \xF0\x9F\x8E\xAE", "caf\xC3\xA9 \xF0\x9F\x8E\xAE"},
        {"Bob\xFF \xC3( \xE2\x80 \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80",
         "Bob\uFFFD \uFFFD( \uFFFD\uFFFD \uFFFD\uFFFD \uFFFD\uFFFD\uFFFD "
         "\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& [bytes, shown] : names) EXPECT_EQ(oneLineName(bytes), shown) << bytes;

    ServerInfo info;
    info.name = "Frag\tfest", info.map = "2fort", info.folder = "tfc";
    info.players = 5, info.maxPlayers = 16, info.vac = true;
    const PlayerList players{{"Ann\n", 12, 754.9f}, {"Bob", -3, -1.f}};
    EXPECT_EQ(queryText(info, 42, players),
              "name\tFrag fest\nmap\t2fort\nfolder\ttfc\nplayers\t5/16\nping\t42 ms\n"
              "password\tno\nvac\tyes\nplayer\tAnn \t12\t754\nplayer\tBob\t-3\t0\n");
    for (const auto& [bots, text] :
         {std::pair{0, "5/16"}, {1, "5/16 (1 bot)"}, {4, "5/16 (4 bots)"}}) {
        info.bots = bots;
        EXPECT_EQ(playerCountText(info), text);
    }
}

std::string piece(std::uint32_t id, int index, int count, const std::string& payload) {
    std::string p = "\xFE\xFF\xFF\xFF"s;
    for (int i = 0; i < 4; ++i) p += static_cast<char>((id >> (8 * i)) & 0xFF);
    p += static_cast<char>((index << 4) | count);
    return p + payload;
}

struct SplitCase {
    const char* what;
    std::vector<std::string> pieces, results;  // per piece: "…" incomplete, "!" invalid, or whole
};

const std::string kList = "\xFF\xFF\xFF\xFF\x66\x0A"s, kEnd = "\0\0\0\0\0\0"s;
std::string entry(int last, int port) {
    return "\x01\x02\x03"s + char(last) + char(port >> 8) + char(port & 0xFF);
}

const std::string kA = kPlayers.substr(0, 10), kB = kPlayers.substr(10, 10),
                  kC = kPlayers.substr(20);

const SplitCase kSplitCases[] = {
    {"in turn", {piece(7, 0, 3, kA), piece(7, 1, 3, kB), piece(7, 2, 3, kC)}, {"…", "…", kPlayers}},
    {"reverse", {piece(7, 2, 3, kC), piece(7, 1, 3, kB), piece(7, 0, 3, kA)}, {"…", "…", kPlayers}},
    {"twice", {piece(7, 1, 2, "b"), piece(7, 1, 2, "b"), piece(7, 0, 2, "a")}, {"…", "…", "ab"}},
    {"two answers interleaved",
     {piece(1, 0, 2, "a"), piece(2, 1, 2, "y"), piece(2, 0, 2, "x"), piece(1, 1, 2, "b")},
     {"…", "…", "xy", "ab"}},
    {"one piece", {piece(9, 0, 1, "whole")}, {"whole"}}, {"no count", {piece(7, 0, 0, "a")}, {"!"}},
    {"index beyond count", {piece(7, 2, 2, "a")}, {"!"}},
    {"short", {"\xFE\xFF\xFF\xFF\x01\x02"s}, {"!"}},
    {"count changes", {piece(7, 0, 2, "a"), piece(7, 1, 3, "b")}, {"…", "!"}},
    {"too long", {piece(7, 0, 1, std::string(kMaxDatagram, 'x'))}, {"!"}},
    // Incomplete answers make room: the first is gone when a fifth one starts.
    {"oldest incomplete dropped",
     {piece(1, 0, 2, "a"), piece(2, 0, 2, ""), piece(3, 0, 2, ""), piece(4, 0, 2, ""),
      piece(5, 0, 2, ""), piece(1, 1, 2, "b"), piece(4, 1, 2, "d")},
     {"…", "…", "…", "…", "…", "…", "d"}},
};

TEST(A2sSplit, reassemblesInAnyOrderAndDropsTheIncomplete) {
    for (const SplitCase& c : kSplitCases) {
        SplitAssembler splits;
        for (std::size_t i = 0; i < c.pieces.size(); ++i) {
            Bytes whole;
            const auto r = splits.add(bytes(c.pieces[i]), whole);
            const std::string got = r == SplitAssembler::Result::Invalid ? "!"
                                    : r == SplitAssembler::Result::Incomplete
                                        ? "…"
                                        : std::string(whole.begin(), whole.end());
            EXPECT_EQ(got, c.results[i]) << c.what << ", piece " << i;
        }
    }
}

// Random bytes and mutated real answers, master pages and Web API answers: never a crash, a hang
// or a huge allocation (the sanitizers watch), and lists stay bounded.
TEST(A2sFuzz, hostileDatagramsGiveErrorsOnly) {
    std::mt19937 rng(1400);
    const std::string seeds[] = {kInfo + kExtra, kOld, kHltv, kPlayers, kRules, kHead + "A1234"s,
                                 kList + entry(4, 1) + entry(5, 2) + kEnd, kList + entry(9, 9)};
    const std::string json =
        R"({"response":{"servers":[{"addr":"1.2.3.4:27015","name":"x","players":3}]}})";
    SplitAssembler splits;
    MasterList list;
    for (int round = 0; round < 40000; ++round) {
        Bytes d =
            bytes(round % 2 ? randomBytes(rng, 63) : mutate(seeds[rng() % std::size(seeds)], rng));
        if (round % 3 == 0 && d.size() >= 5) d[0] = d[1] = d[2] = d[3] = 0xFF;
        (void)parseAnswer(d);
        (void)oneLineName(std::string(d.begin(), d.end()));
        Bytes split = bytes(piece(rng() % 6, rng() % 16, rng() % 16, ""));
        split.insert(split.end(), d.begin(), d.end());
        Bytes whole;
        if (splits.add(split, whole) == SplitAssembler::Result::Complete) (void)parseAnswer(whole);
        (void)list.add(parseMasterAnswer(d));
        if (list.complete()) list = MasterList();
        if (round % 8 == 0) (void)parseWebApiServers(QByteArray::fromStdString(mutate(json, rng)));
    }
    EXPECT_LE(list.size(), MasterList::kMaxServers);
}

struct PagingCase {
    const char* what;
    std::vector<std::string> pages;  // answered in turn
    std::string listed, seeds;       // every new address in order; what each next request carries
    bool complete;
};

const PagingCase kPaging[] = {
    {"end marker", {kList + entry(4, 27015) + entry(5, 258) + kEnd + entry(6, 1)},
     "1.2.3.4:27015 1.2.3.5:258", "1.2.3.5:258", true},
    {"two pages, each seeded by the last address",
     {kList + entry(4, 1) + entry(5, 2), kList + entry(6, 3) + kEnd},
     "1.2.3.4:1 1.2.3.5:2 1.2.3.6:3", "1.2.3.5:2 1.2.3.6:3", true},
    {"a page repeating the seed ends the list",
     {kList + entry(4, 1) + entry(5, 2), kList + entry(5, 2)}, "1.2.3.4:1 1.2.3.5:2",
     "1.2.3.5:2 1.2.3.5:2", true},
    {"a truncated entry is left out", {kList + entry(4, 1) + entry(5, 2).substr(0, 5)},
     "1.2.3.4:1", "1.2.3.4:1", false},
    {"an empty answer", {kList}, "", "0.0.0.0:0", true},
    {"not an answer changes nothing",
     {"\xFF\xFF\xFF\xFF\x66\x0B"s + entry(4, 1), kList.substr(0, 5), kList + std::string(2048, 'x')},
     "", "0.0.0.0:0 0.0.0.0:0 0.0.0.0:0", false},
};

TEST(MasterList, pagesAndTheirEnd) {
    EXPECT_EQ(buildMasterRequest("0.0.0.0:0", masterFilter("valve")),
              bytes("\x31\xFF" "0.0.0.0:0\0\\appid\\70\\gamedir\\valve\0"s));
    EXPECT_EQ(buildMasterRequest("1.2.3.4:5", masterFilter("tfc")),
              bytes("\x31\xFF" "1.2.3.4:5\0\\gamedir\\tfc\0"s));
    for (const PagingCase& c : kPaging) {
        MasterList list;
        std::string listed, seeds;
        for (const std::string& page : c.pages) {
            for (const MasterEntry& e : list.add(parseMasterAnswer(bytes(page))))
                listed += (listed.empty() ? "" : " ") + formatServerAddress(serverAddress(e));
            seeds += (seeds.empty() ? "" : " ") + list.nextSeed();
        }
        EXPECT_EQ(listed, c.listed) << c.what;
        EXPECT_EQ(seeds, c.seeds) << c.what;
        EXPECT_EQ(list.complete(), c.complete) << c.what;
    }
}

TEST(WebApiList, addressesFromTheJson) {
    const std::pair<std::string, std::string> cases[] = {
        {R"({"response":{"servers":[{"addr":"1.2.3.4:27015","name":"x"},{"addr":"5.6.7.8:1"}]}})",
         "1.2.3.4:27015 5.6.7.8:1"},
        {R"({"response":{}})", ""},  // no servers: Steam leaves the array out
        {R"({"response":{"servers":[{"addr":"host:1"},{"addr":"1.2.3.4"},{"addr":7},{}]}})", ""},
        {R"({"response":[]})", "invalid"}, {R"({"servers":[]})", "invalid"},
        {R"({"response":{"servers":[{"addr":"1.2.3.4:1"})", "invalid"},
    };
    for (const auto& [json, expected] : cases) {
        const auto servers = parseWebApiServers(QByteArray::fromStdString(json));
        std::string got = servers ? "" : "invalid";
        for (const MasterEntry& e : servers.value_or(std::vector<MasterEntry>{}))
            got += (got.empty() ? "" : " ") + formatServerAddress(serverAddress(e));
        EXPECT_EQ(got, expected) << json;
    }
    EXPECT_EQ(webApiAddress("http://127.0.0.1:8/", "k y", "\\gamedir\\tfc", 5).toStdString(),
              "http://127.0.0.1:8/IGameServersService/GetServerList/v1/"
              "?key=k%20y&filter=%5Cgamedir%5Ctfc&limit=5");
}

TEST(ServerAddressCheck, acceptsNamesAndLiteralsTrimmedAndNamesTheFieldInError) {
    const struct {
        const char *address, *port;
        const char* expected;  // the address as lists keep it, or the field the message names
    } cases[] = {
        {"10.0.0.7", "27015", "10.0.0.7:27015"}, {"my_server-1.lan.", "1", "my_server-1.lan.:1"},
        {"  hl.example.org \t", " 27016 ", "hl.example.org:27016"}, {"::1", "65535", "[::1]:65535"},
        {"10.0.0.7", "02701", "10.0.0.7:2701"},  // one spelling per server
        {"[2001:db8::7]", "27015", "[2001:db8::7]:27015"},
        {"::ffff:10.0.0.7", "27015", "[::ffff:10.0.0.7]:27015"},
        {"1:2:3:4:5:6:7:8", "27015", "[1:2:3:4:5:6:7:8]:27015"}, {"", "27015", "IP adress"},
        {"my server", "27015", "IP adress"}, {"x\";quit", "27015", "IP adress"},
        {"x;quit", "27015", "IP adress"}, {"10.0.0.256", "27015", "IP adress"},
        {"-bad.org", "27015", "IP adress"}, {"1::2::3", "27015", "IP adress"},
        {"1:2:3:4:5:6:7:8:9", "27015", "IP adress"}, {"[10.0.0.7]", "27015", "IP adress"},
        {"10.0.0.7", "0", "Port"}, {"10.0.0.7", "65536", "Port"}, {"10.0.0.7", "2 7", "Port"},
        {"10.0.0.7", "", "Port"}, {"10.0.0.7", "27015 +exec x", "Port"},
    };
    for (const auto& c : cases) {
        const auto check = checkServerAddress(c.address, c.port);
        const std::string got = check.problem ? check.problem->substr(0, check.problem->find(':'))
                                              : formatServerAddress(check.server);
        EXPECT_EQ(got, c.expected) << c.address << " | " << c.port;
        EXPECT_TRUE(check.problem || parseServerAddress(got) == check.server) << got;
    }
}

}  // namespace
