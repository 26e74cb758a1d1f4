#pragma once
// A small deterministic number generator: the same sequence on every
// machine, for generated organisations (demo and benchmark).

#include <cstdint>

namespace cli {

class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint32_t next()
    {
        s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(s_ >> 33);
    }
    // A whole number from lo to hi, both included.
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
    bool chance(int percent) { return range(1, 100) <= percent; }

private:
    uint64_t s_;
};

} // namespace cli
