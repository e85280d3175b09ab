#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "servers/server_address.h"

namespace skyloom {

// The master server's list over UDP: a request names where to go on from (the seed) and which
// servers (the filter); each answer is a page of IPv4 addresses, the last one ending in 0.0.0.0:0.

struct MasterEntry {
    std::uint32_t ip = 0;  // a.b.c.d as (a << 24) | … | d
    std::uint16_t port = 0;
    bool operator<(const MasterEntry& o) const { return ip != o.ip ? ip < o.ip : port < o.port; }
    bool operator==(const MasterEntry&) const = default;
};

ServerAddress serverAddress(const MasterEntry& entry);

// The first address of the special block `ip` is in (this host, loopback, private, shared,
// link-local, multicast, reserved and broadcast, IETF protocol assignments, documentation,
// benchmarking and the old 6to4 relays), or nothing for a public address.
std::optional<std::uint32_t> specialBlock(std::uint32_t ip);

// Whether a listed server may be queried: it has a port, and its address is public or in the same
// special block as the list's source (`source`: nothing when that is not known). A hostile list
// must not turn the player's queries on the LAN, on local services or on many hosts at once.
bool mayQueryListed(const MasterEntry& entry, std::optional<std::uint32_t> source);

// The games the list can be asked for, by their folder: "valve" or "tfc".
std::string masterFilter(std::string_view gameFolder);

// 0x31, the region (0xFF: the whole world), the seed and the filter, each NUL-terminated.
std::vector<std::uint8_t> buildMasterRequest(std::string_view seed, std::string_view filter);

struct MasterPage {
    bool valid = false;                // began FF FF FF FF 66 0A and was no longer than a datagram
    std::vector<MasterEntry> entries;  // without the end marker
    bool last = false;                 // held 0.0.0.0:0
};

// Reads one answer. A piece of an entry at the end (a datagram cut short) is left out.
MasterPage parseMasterAnswer(std::span<const std::uint8_t> datagram);

// The list as its pages arrive: which seed to ask with next, which addresses are new, and when it
// is complete. A page that brings nothing new ends it too, so a master repeating itself cannot
// keep the list asking for ever.
class MasterList {
public:
    static constexpr std::size_t kMaxServers = 65536;

    std::string nextSeed() const;
    // The page's addresses not seen before; invalid pages change nothing.
    std::vector<MasterEntry> add(const MasterPage& page);
    bool complete() const { return complete_; }
    std::size_t size() const { return seen_.size(); }
    int pages() const { return pages_; }

private:
    std::set<MasterEntry> seen_;
    std::optional<MasterEntry> last_;
    bool complete_ = false;
    int pages_ = 0;
};

inline constexpr const char* kDefaultMaster = "hl2master.steampowered.com:27011";

}  // namespace skyloom
