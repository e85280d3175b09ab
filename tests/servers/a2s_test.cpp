#include "servers/a2s.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "fuzz.h"
#include "platform/utf8.h"
#include "servers/master_server.h"
#include "servers/server_address.h"
#include "servers/server_text.h"
#include "servers/web_api.h"

using namespace skyloom;
using namespace skyloom::test;
using namespace std::string_literals;

namespace {

Bytes bytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// What a window can show of an answer.
std::string describe(const Answer& a) {
    std::ostringstream o;
    if (std::holds_alternative<InvalidAnswer>(a)) o << "invalid";
    if (auto* c = std::get_if<Challenge>(&a))
        for (o << "challenge"; const auto b : *c) o << ' ' << int(b);
    if (auto* i = std::get_if<ServerInfo>(&a))
        o << i->name << '|' << i->map << '|' << i->folder << '|' << i->players << '/'
          << i->maxPlayers << '|' << i->bots << '|' << i->password << i->vac;
    if (auto* p = std::get_if<PlayerList>(&a))
        for (o << "players"; const auto& e : *p)
            o << ' ' << e.name << ':' << e.score << ':' << e.seconds;
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

const struct ParseCase {
    std::string packet, expected;
    std::set<std::size_t> validCuts = {};  // bytes cut off the end that leave a whole answer
} kParseCases[] = {
    {kInfo, "Frag|crossfire|valve|5/16|2|11"},
    {kInfo + kExtra, "Frag|crossfire|valve|5/16|2|11", {kExtra.size()}},
    {kInfo + "\x02j"s, "Frag|crossfire|valve|5/16|2|11", {1, 2}},  // unknown flags, extra bytes
    // The old form may end after the password, the mod block or the VAC byte.
    {kOld, "Old|bounce|tfc|7/12|3|01", {1, 2, 26}},
    {kHead + "m1.2.3.4:5\0O\0m\0f\0g\0\x01\x02\x2F"s + "lw\x01\x00\x00\x00"s,
     "O|m|f|1/2|0|10",
     {1, 2, 3}},
    {kHead + "A\x11\x22\x33\x44"s, "challenge 17 34 51 68"},
    {kHead + "D\x02\x00"s + "Ann\0\x05\0\0\0\x00\x00\x48\x42\x01"s +
         "Bob\0\xFF\xFF\xFF\xFF\x00\x00\x00\x00"s,
     "players Ann:5:50 Bob:-1:0"},
    {kHead + "D\x01\x00\xC3\x28\0\x01\0\0\0\0\0\0\0"s, "players \xC3\x28:1:0"},  // bytes kept
    {kHead + "Z\x01\x02"s, "invalid"},
    {"\xFF\xFF\xFF\xFEI"s + kInfo.substr(5), "invalid"},
};

std::string piece(std::uint32_t id, int index, int count, const std::string& payload) {
    std::string p = "\xFE\xFF\xFF\xFF"s;
    for (int i = 0; i < 4; ++i) p += static_cast<char>((id >> (8 * i)) & 0xFF);
    return p + static_cast<char>((index << 4) | count) + payload;
}

TEST(A2sParse, everyAnswerKindAndEveryTruncationAndSplitAnswersInAnyOrder) {
    for (const ParseCase& c : kParseCases) {
        const Bytes packet = bytes(c.packet);
        EXPECT_EQ(describe(parseAnswer(packet)), c.expected);
        // Cut anywhere, an answer is invalid, unless it ends where an optional part begins.
        for (std::size_t n = 0; n < packet.size() && c.expected != "invalid"; ++n)
            EXPECT_EQ(describe(parseAnswer(std::span(packet).first(n))) != "invalid",
                      c.validCuts.count(packet.size() - n) > 0)
                << c.expected << " cut at " << n;
    }
    // Split answers, per piece: "…" incomplete, "!" invalid, or the whole answer.
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{piece(7, 1, 2, "b"), piece(7, 1, 2, "b"), piece(7, 0, 2, "a")}, {"…", "…", "ab"}},
        {{piece(1, 0, 2, "a"), piece(2, 1, 2, "y"), piece(2, 0, 2, "x"), piece(1, 1, 2, "b")},
         {"…", "…", "xy", "ab"}},
        {{piece(9, 0, 1, "whole")}, {"whole"}},
        {{piece(7, 0, 0, "a"), piece(7, 2, 2, "a"), "\xFE\xFF\xFF\xFF\x01\x02"s}, {"!", "!", "!"}},
        {{piece(7, 0, 1, std::string(kMaxDatagram, 'x'))}, {"!"}},
        // Incomplete answers make room: the first is gone when a fifth one starts.
        {{piece(1, 0, 2, "a"), piece(2, 0, 2, ""), piece(3, 0, 2, ""), piece(4, 0, 2, ""),
          piece(5, 0, 2, ""), piece(1, 1, 2, "b"), piece(4, 1, 2, "d")},
         {"…", "…", "…", "…", "…", "…", "d"}}};
    for (const auto& [pieces, results] : cases) {
        SplitAssembler splits;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            Bytes whole;
            const auto r = splits.add(bytes(pieces[i]), whole);
            const char* const told[] = {"…", "", "!"};  // incomplete, complete, invalid
            EXPECT_EQ(told[int(r)] + std::string(whole.begin(), whole.end()), results[i])
                << results.back() << ", piece " << i;
        }
    }
}

TEST(ServerText, namesOnOneLineAndAddressesOneSpellingEach) {
    const std::pair<std::string, std::string> names[] = {
        {"Two\nlines\r\tand\x7F C1\xC2\x85 LS\xE2\x80\xA8PS\xE2\x80\xA9",
         "Two lines  and  C1  LS PS "},
        {"\xE2\x80\xAE"
         "desrever\xE2\x80\xAC \xE2\x81\xA6iso\xE2\x81\xA9 \xE2\x80\x8Fmark",
         "desrever iso mark"},
        // Invisible: zero-width, joiners, BOM, CGJ, ALM, soft hyphen, tags, annotations.
        {"a\u200Bb\u200Dc\u2060d\u2064e\uFEFFf\u034Fg\u061Ch\u00ADi\U000E0041j\uFFF9k\u200E",
         "abcdefghijk"},
        {"\xFF" + std::string(199, 'n'), "\uFFFD" + std::string(199, 'n')}};
    for (const auto& [bytes, shown] : names) {
        EXPECT_EQ(oneLineName(bytes), shown) << bytes;
        EXPECT_EQ(terminalLine(bytes + "\u200B"), shown) << bytes;  // 200 characters stay
    }
    EXPECT_EQ(terminalLine("\u00E9" + std::string(300, 'n')),
              "\u00E9" + std::string(198, 'n') + "\u2026");
    // The address as lists keep it (one spelling per server), or the field the message names.
    std::istringstream cases(
        "my_server-1.lan.|1|my_server-1.lan.:1\n  hl.example.org \t| 27016 |hl.example.org:27016\n"
        "::1|65535|[::1]:65535\n10.0.0.7|02701|10.0.0.7:2701\n"
        "[2001:db8::7]|27015|[2001:db8::7]:27015\n|27015|IP adress\nx\";quit|27015|IP adress\n"
        "10.0.0.256|27015|IP adress\n-bad.org|27015|IP adress\n1::2::3|27015|IP adress\n"
        "[10.0.0.7]|27015|IP adress\n10.0.0.7|0|Port\n10.0.0.7|65536|Port\n"
        "10.0.0.7|27015 +exec x|Port");
    for (std::string c; std::getline(cases, c);) {
        const std::size_t bar = c.find('|'), last = c.rfind('|');
        const auto check = checkServerAddress(c.substr(0, bar), c.substr(bar + 1, last - bar - 1));
        const std::string got = check.problem ? check.problem->substr(0, check.problem->find(':'))
                                              : formatServerAddress(check.server);
        EXPECT_EQ(got, c.substr(last + 1)) << c;
        EXPECT_TRUE(check.problem || parseServerAddress(got) == check.server) << got;
    }
}

const std::string kList = "\xFF\xFF\xFF\xFF\x66\x0A"s, kEnd = "\0\0\0\0\0\0"s;
std::string entry(int last, int port) {
    return "\x01\x02\x03"s + char(last) + char(port >> 8) + char(port & 0xFF);
}

std::string joined(const std::vector<MasterEntry>& entries, std::string out = "") {
    for (const MasterEntry& e : entries)
        out += (out.empty() ? "" : " ") + formatServerAddress(serverAddress(e));
    return out;
}

// A master's pages in turn: the new addresses, after "/" each next request's seed, "end" once
// complete; then what a Web API answer lists.
TEST(ServerLists, masterPagesAndWebApiJsonAndHostileDatagrams) {
    const std::pair<std::vector<std::string>, std::string> pages[] = {
        {{kList + entry(4, 27015) + kEnd + entry(6, 1)}, "1.2.3.4:27015 / 1.2.3.4:27015 end"},
        // A page repeating the seed ends the list; a truncated entry is left out.
        {{kList + entry(4, 1) + entry(5, 2), kList + entry(5, 2)},
         "1.2.3.4:1 1.2.3.5:2 / 1.2.3.5:2 1.2.3.5:2 end"},
        {{kList + entry(4, 1) + entry(5, 2).substr(0, 5)}, "1.2.3.4:1 / 1.2.3.4:1"},
        {{kList}, " / 0.0.0.0:0 end"},
        {{"\xFF\xFF\xFF\xFF\x66\x0B"s + entry(4, 1), kList.substr(0, 5),
          kList + std::string(2048, 'x')},
         " / 0.0.0.0:0 0.0.0.0:0 0.0.0.0:0"}};
    for (const auto& [answers, expected] : pages) {
        MasterList list;
        std::string listed, seeds;
        for (const std::string& page : answers) {
            listed = joined(list.add(parseMasterAnswer(bytes(page))), listed);
            seeds += " " + list.nextSeed();
        }
        EXPECT_EQ(listed + " /" + seeds + (list.complete() ? " end" : ""), expected);
    }
    const std::pair<std::string, std::string> web[] = {
        {R"({"response":{}})", ""},  // no servers: Steam leaves the array out
        {R"({"response":{"servers":[{"addr":"host:1"},{"addr":"1.2.3.4"},{"addr":7},{},{"addr":"5.6.7.8:1","x":1}]}})",
         "5.6.7.8:1"},
        {R"({"response":[]})", "invalid"},
        {R"({"response":{"servers":[{"addr":"1.2.3.4:1"})", "invalid"},
        {R"( {"x":[1,-2.5e3,true,null,{"a":[]}],"response":{"servers":[{"name":"\"}","addr":"\u0031.2.3.4:5"}]}} )",
         "1.2.3.4:5"},
        {"{\"response\":{\"servers\":[{\"addr\":\"1.2.3.4:5\n\"}]}}", "invalid"},
        {std::string(70, '[') + std::string(70, ']'), "invalid"},  // deeper than any answer
        {"{\"response\":{\"x\":" + std::string(60, '[') + std::string(60, ']') + "}}", ""}};
    for (const auto& [json, expected] : web) {
        const auto servers = parseWebApiServers(json);
        EXPECT_EQ(servers ? joined(*servers) : "invalid", expected) << json;
    }
    // Hostile bytes give errors only: no crash, hang or huge allocation, and lists stay bounded.
    std::mt19937 rng(1400);
    std::vector<std::string> seeds{kList + entry(4, 1) + entry(5, 2) + kEnd};
    for (const ParseCase& c : kParseCases) seeds.push_back(c.packet);
    const std::string api = R"({"response":{"servers":[{"addr":"1.2.3.4:27015","players":3}]}})";
    SplitAssembler splits;
    MasterList bounded;
    for (int round = 0; round < 40000; ++round) {
        Bytes d =
            bytes(round % 2 ? randomBytes(rng, 63) : mutate(seeds[rng() % seeds.size()], rng));
        if (round % 3 == 0 && d.size() >= 5) d[0] = d[1] = d[2] = d[3] = 0xFF;
        (void)parseAnswer(d);
        (void)oneLineName(std::string(d.begin(), d.end()));
        Bytes split = bytes(piece(rng() % 6, rng() % 16, rng() % 16, "")), whole;
        split.insert(split.end(), d.begin(), d.end());
        if (splits.add(split, whole) == SplitAssembler::Result::Complete) (void)parseAnswer(whole);
        (void)bounded.add(parseMasterAnswer(d));
        if (bounded.complete()) bounded = MasterList();
        if (round % 2 == 0) (void)parseWebApiServers(mutate(api, rng));
    }
    EXPECT_LE(bounded.size(), MasterList::kMaxServers);
}

}  // namespace
