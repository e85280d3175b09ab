#include "servers/master_server.h"

#include <charconv>

namespace skyloom {

namespace {

constexpr std::uint8_t kHeader[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x66, 0x0A};
constexpr std::size_t kEntry = 6;
// No datagram is longer; anything longer is not an answer.
constexpr std::size_t kMaxDatagram = 2048;

}  // namespace

ServerAddress serverAddress(const MasterEntry& e) {
    return {std::to_string(e.ip >> 24) + '.' + std::to_string((e.ip >> 16) & 0xFF) + '.' +
                std::to_string((e.ip >> 8) & 0xFF) + '.' + std::to_string(e.ip & 0xFF),
            e.port};
}

std::optional<std::uint32_t> specialBlock(std::uint32_t ip) {
    static constexpr std::pair<std::uint32_t, int> kBlocks[] = {
        {0x00000000, 8},  {0x7F000000, 8},  {0x0A000000, 8},  {0x64400000, 10}, {0xA9FE0000, 16},
        {0xAC100000, 12}, {0xC0A80000, 16}, {0xE0000000, 4},  {0xF0000000, 4},  {0xC0000000, 24},
        {0xC0000200, 24}, {0xC6120000, 15}, {0xC6336400, 24}, {0xCB007100, 24}, {0xC0586300, 24}};
    for (const auto& [first, bits] : kBlocks)
        if ((ip >> (32 - bits)) == (first >> (32 - bits))) return first;
    return std::nullopt;
}

bool mayQueryListed(const MasterEntry& e, std::optional<std::uint32_t> source) {
    if (e.port == 0) return false;
    const auto block = specialBlock(e.ip);
    return !block || (source && specialBlock(*source) == block);
}

std::string masterFilter(std::string_view gameFolder) {
    if (gameFolder == "tfc") return "\\gamedir\\tfc";
    return "\\appid\\70\\gamedir\\valve";
}

std::vector<std::uint8_t> buildMasterRequest(std::string_view seed, std::string_view filter) {
    std::vector<std::uint8_t> out{0x31, 0xFF};
    out.insert(out.end(), seed.begin(), seed.end());
    out.push_back(0);
    out.insert(out.end(), filter.begin(), filter.end());
    out.push_back(0);
    return out;
}

MasterPage parseMasterAnswer(std::span<const std::uint8_t> d) {
    MasterPage page;
    if (d.size() < sizeof kHeader || d.size() > kMaxDatagram ||
        !std::equal(std::begin(kHeader), std::end(kHeader), d.begin()))
        return page;
    page.valid = true;
    for (std::size_t at = sizeof kHeader; d.size() - at >= kEntry; at += kEntry) {
        const MasterEntry e{std::uint32_t{d[at]} << 24 | std::uint32_t{d[at + 1]} << 16 |
                                std::uint32_t{d[at + 2]} << 8 | d[at + 3],
                            static_cast<std::uint16_t>(d[at + 4] << 8 | d[at + 5])};
        if (e.ip == 0 && e.port == 0) {
            page.last = true;
            break;
        }
        page.entries.push_back(e);
    }
    return page;
}

std::string MasterList::nextSeed() const {
    return last_ ? formatServerAddress(serverAddress(*last_)) : "0.0.0.0:0";
}

std::vector<MasterEntry> MasterList::add(const MasterPage& page) {
    std::vector<MasterEntry> fresh;
    if (!page.valid || complete_) return fresh;
    ++pages_;
    for (const MasterEntry& e : page.entries) {
        if (seen_.size() >= kMaxServers) break;
        if (seen_.insert(e).second) fresh.push_back(e);
    }
    if (!page.entries.empty()) last_ = page.entries.back();
    complete_ = page.last || fresh.empty() || seen_.size() >= kMaxServers;
    return fresh;
}

}  // namespace skyloom
