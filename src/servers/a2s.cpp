#include "servers/a2s.h"

#include <algorithm>
#include <cstring>

namespace skyloom {

namespace {

constexpr std::uint8_t kSingle[] = {0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t kSplit[] = {0xFE, 0xFF, 0xFF, 0xFF};
constexpr std::size_t kSplitHeader = 9;  // marker, id, index/count

// Reads forward through a packet; the first read past the end marks it failed, and every later
// read then fails too, so a parser checks `ok()` once at the end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    std::uint8_t u8() {
        if (!need(1)) return 0;
        return data_[pos_++];
    }
    std::uint16_t u16() {
        const std::uint16_t lo = u8();
        return static_cast<std::uint16_t>(lo | (u8() << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }
    void skip(std::size_t n) {
        if (need(n)) pos_ += n;
    }
    std::string str() {
        if (!ok_) return {};
        const auto rest = data_.subspan(pos_);
        const auto nul = std::find(rest.begin(), rest.end(), std::uint8_t{0});
        if (nul == rest.end()) {
            ok_ = false;
            return {};
        }
        std::string s(rest.begin(), nul);
        pos_ += s.size() + 1;
        return s;
    }

private:
    bool need(std::size_t n) {
        if (ok_ && data_.size() - pos_ >= n) return true;
        ok_ = false;
        return false;
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

Answer readInfo(Reader& r) {
    ServerInfo info;
    r.u8();  // protocol
    info.name = r.str();
    info.map = r.str();
    info.folder = r.str();
    info.game = r.str();
    info.appId = r.u16();
    info.players = r.u8();
    info.maxPlayers = r.u8();
    info.bots = r.u8();
    info.serverType = static_cast<char>(r.u8());
    info.environment = static_cast<char>(r.u8());
    info.password = r.u8() != 0;
    info.vac = r.u8() != 0;
    info.version = r.str();
    if (r.ok() && !r.atEnd()) {
        const std::uint8_t extra = r.u8();
        if (extra & 0x80) info.gamePort = r.u16();
        if (extra & 0x10) r.skip(8);  // steam id
        if (extra & 0x40) {           // spectator port and name
            r.skip(2);
            r.str();
        }
        if (extra & 0x20) r.str();    // keywords
        if (extra & 0x01) r.skip(8);  // game id
    }
    if (!r.ok()) return InvalidAnswer{};
    return info;
}

// The older form: address first, players before the protocol, an optional mod block. What
// follows the password byte may be cut short: an HLTV relay ends after the VAC byte.
Answer readOldInfo(Reader& r) {
    ServerInfo info;
    r.str();  // the address the server believes it has
    info.name = r.str();
    info.map = r.str();
    info.folder = r.str();
    info.game = r.str();
    info.players = r.u8();
    info.maxPlayers = r.u8();
    r.u8();  // protocol
    info.serverType = static_cast<char>(r.u8());
    info.environment = static_cast<char>(r.u8());
    info.password = r.u8() != 0;
    if (r.ok() && !r.atEnd() && r.u8() == 1) {  // a mod: links, a NUL, version, size, type, dll
        r.str();
        r.str();
        r.skip(1 + 4 + 4 + 1 + 1);
    }
    if (r.ok() && !r.atEnd()) info.vac = r.u8() != 0;
    if (r.ok() && !r.atEnd()) info.bots = r.u8();
    if (!r.ok()) return InvalidAnswer{};
    return info;
}

Answer readPlayers(Reader& r) {
    PlayerList players;
    for (int count = r.u8(); count > 0 && r.ok(); --count) {
        PlayerEntry p;
        r.u8();  // index
        p.name = r.str();
        p.score = static_cast<std::int32_t>(r.u32());
        const std::uint32_t bits = r.u32();
        std::memcpy(&p.seconds, &bits, sizeof bits);
        players.push_back(std::move(p));
    }
    if (!r.ok()) return InvalidAnswer{};
    return players;
}

Answer readRules(Reader& r) {
    RuleList rules;
    for (int count = r.u16(); count > 0 && r.ok(); --count) {
        std::string name = r.str();
        std::string value = r.str();
        rules.emplace_back(std::move(name), std::move(value));
    }
    if (!r.ok()) return InvalidAnswer{};
    return rules;
}

}  // namespace

Bytes buildRequest(Request request, const std::optional<Challenge>& challenge) {
    Bytes out(std::begin(kSingle), std::end(kSingle));
    out.push_back(static_cast<std::uint8_t>(request));
    if (request == Request::Info) {
        static constexpr char kQuery[] = "Source Engine Query";
        out.insert(out.end(), kQuery, kQuery + sizeof kQuery);  // with its NUL
        if (challenge) out.insert(out.end(), challenge->begin(), challenge->end());
    } else {
        // Players and rules ask with FF FF FF FF until the server hands out a challenge.
        const Challenge c = challenge.value_or(Challenge{0xFF, 0xFF, 0xFF, 0xFF});
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

Answer parseAnswer(std::span<const std::uint8_t> packet) {
    if (packet.size() > kMaxDatagram * 15 || packet.size() < 5 ||
        !std::equal(std::begin(kSingle), std::end(kSingle), packet.begin()))
        return InvalidAnswer{};
    Reader r(packet.subspan(5));
    switch (packet[4]) {
        case 0x41: {
            Challenge c{};
            for (auto& b : c) b = r.u8();
            if (!r.ok()) return InvalidAnswer{};
            return c;
        }
        case 0x49:
            return readInfo(r);
        case 0x6D:
            return readOldInfo(r);
        case 0x44:
            return readPlayers(r);
        case 0x45:
            return readRules(r);
        default:
            return InvalidAnswer{};
    }
}

bool isSplitPiece(std::span<const std::uint8_t> datagram) {
    return datagram.size() >= 4 &&
           std::equal(std::begin(kSplit), std::end(kSplit), datagram.begin());
}

SplitAssembler::Result SplitAssembler::add(std::span<const std::uint8_t> piece, Bytes& whole) {
    if (!isSplitPiece(piece) || piece.size() < kSplitHeader || piece.size() > kMaxDatagram)
        return Result::Invalid;
    const std::uint32_t id = static_cast<std::uint32_t>(piece[4]) | (piece[5] << 8) |
                             (piece[6] << 16) | (static_cast<std::uint32_t>(piece[7]) << 24);
    const std::uint8_t count = piece[8] & 0x0F;
    const std::uint8_t index = piece[8] >> 4;
    if (count == 0 || index >= count) return Result::Invalid;

    auto it = std::find_if(pending_.begin(), pending_.end(),
                           [id](const Pending& p) { return p.id == id; });
    if (it == pending_.end()) {
        if (pending_.size() == kMaxPending) pending_.erase(pending_.begin());
        pending_.push_back({id, count, 0, {}});
        it = pending_.end() - 1;
    }
    if (it->count != count) {
        pending_.erase(it);
        return Result::Invalid;
    }
    it->pieces[index].assign(piece.begin() + kSplitHeader, piece.end());
    it->have |= static_cast<std::uint16_t>(1u << index);
    if (it->have != (1u << count) - 1) return Result::Incomplete;

    whole.clear();
    for (std::uint8_t i = 0; i < count; ++i)
        whole.insert(whole.end(), it->pieces[i].begin(), it->pieces[i].end());
    pending_.erase(it);
    return Result::Complete;
}

}  // namespace skyloom
