#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace skyloom {

// The game servers' query protocol over UDP. Every number is little-endian, every string
// NUL-terminated; strings keep the server's bytes (the windows show invalid UTF-8 as U+FFFD).

using Bytes = std::vector<std::uint8_t>;
using Challenge = std::array<std::uint8_t, 4>;

// No datagram of the protocol is longer; anything longer is not an answer.
inline constexpr std::size_t kMaxDatagram = 2048;

enum class Request : std::uint8_t { Info = 0x54, Players = 0x55, Rules = 0x56 };

// The request; with a challenge the server handed out, that challenge goes with it.
Bytes buildRequest(Request request, const std::optional<Challenge>& challenge = std::nullopt);

struct ServerInfo {
    std::string name, map, folder, game, version;
    std::uint16_t appId = 0;
    int players = 0, maxPlayers = 0, bots = 0;
    char serverType = 0, environment = 0;
    bool password = false, vac = false;
    std::optional<std::uint16_t> gamePort;
};

struct PlayerEntry {
    std::string name;
    std::int32_t score = 0;
    float seconds = 0;  // time on the server
};

using PlayerList = std::vector<PlayerEntry>;
using RuleList = std::vector<std::pair<std::string, std::string>>;

struct InvalidAnswer {};

// One answer: a challenge to repeat the request with, server information (either form), the
// players or the rules; anything short, long, garbled or unknown is InvalidAnswer.
using Answer = std::variant<InvalidAnswer, Challenge, ServerInfo, PlayerList, RuleList>;

// Reads a whole (unsplit) answer, which begins with FF FF FF FF.
Answer parseAnswer(std::span<const std::uint8_t> packet);

// Whether a datagram is one piece of a split answer (FE FF FF FF, id, index/count byte).
bool isSplitPiece(std::span<const std::uint8_t> datagram);

// Puts split answers back together, whatever order their pieces come in. Holds a few answers
// at once, the oldest incomplete one making room; what never completes is dropped with it.
class SplitAssembler {
public:
    enum class Result { Incomplete, Complete, Invalid };

    // Takes one piece; on Complete, `whole` is the answer the pieces make.
    Result add(std::span<const std::uint8_t> piece, Bytes& whole);
    void clear() { pending_.clear(); }

    static constexpr std::size_t kMaxPending = 4;

private:
    struct Pending {
        std::uint32_t id = 0;
        std::uint8_t count = 0;
        std::uint16_t have = 0;  // one bit per piece received
        std::array<Bytes, 15> pieces;
    };
    std::vector<Pending> pending_;
};

}  // namespace skyloom
