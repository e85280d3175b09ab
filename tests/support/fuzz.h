#pragma once
// Seeded hostile inputs for the fuzz tests: random bytes and mutated real ones.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace skyloom::test {

inline std::string randomBytes(std::mt19937& rng, std::size_t maxSize) {
    std::string s(rng() % (maxSize + 1), '\0');
    for (char& c : s) c = char(rng());
    return s;
}

// One to eight edits: a byte set or flipped, a cut, a 32-bit field at an edge value, a run added.
inline std::string mutate(std::string bytes, std::mt19937& rng) {
    static const std::uint32_t edges[] = {0,          1,          0x7FFFFFFF, 0x80000000,
                                          0xFFFFFFFF, 0xFFFFFF00, 124,        0x10000};
    for (int edits = 1 + int(rng() % 8); edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = rng() % bytes.size();
        const std::uint32_t edge = edges[rng() % 8];
        const auto kind = rng() % 5;
        if (kind == 0) bytes[at] = char(rng());
        if (kind == 1) bytes[at] ^= char(1u << (rng() % 8));
        if (kind == 2) bytes.resize(at);
        for (std::size_t i = 0; kind == 3 && i < 4 && at + i < bytes.size(); ++i)
            bytes[at + i] = char(edge >> (8 * i));
        if (kind == 4) bytes.insert(at, std::string(rng() % 64, char(rng())));
    }
    return bytes;
}

// Feeds `parse` random bytes and mutations of the seeds: under the sanitizers it must only return.
template <class Parse>
void fuzz(const std::vector<std::string>& seeds, int rounds, Parse parse) {
    std::mt19937 rng(rounds);
    for (int i = 0; i < rounds; ++i)
        parse(i % 4 ? mutate(seeds[i % seeds.size()], rng) : randomBytes(rng, 256));
}
}  // namespace skyloom::test
