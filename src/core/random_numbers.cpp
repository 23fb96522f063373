#include "core/random_numbers.h"

#include "base/basic_types.h"
#include "platform/clock.h"

#include <array>
#include <cmath>

namespace {

std::uint32_t g_seed = 0;

std::uint32_t NextSeed()
{
    g_seed = g_seed * 134775813u + 1u;
    return g_seed;
}

// Fills a permutation of 1..255 by Random(255) + 1, skipping values already
// drawn. Only its draws matter: nothing reads the table.
void DrawPermutation()
{
    std::array<bool, 256> used{};
    for (int i = 1; i <= 255; ++i) {
        std::int32_t value;
        do {
            value = Random(255) + 1;
        } while (used[static_cast<std::size_t>(value)]);
        used[static_cast<std::size_t>(value)] = true;
    }
}

void DrawThreeSeedWords()
{
    for (int i = 0; i < 3; ++i)
        static_cast<void>(Round(static_cast<long double>(Random()) * 990000.0L));
}

} // namespace

double Random()
{
    return static_cast<double>(NextSeed()) * (1.0 / 4294967296.0);
}

std::int32_t Random(std::int32_t range)
{
    const std::uint64_t seed = NextSeed();
    if (range <= 0)
        return 0;
    return static_cast<std::int32_t>((seed * static_cast<std::uint64_t>(range)) >> 32);
}

double RandomNormal()
{
    constexpr long double twoPi = 6.28318530717958647703L;
    double u1 = Random();
    while (u1 == 0.0)  // once per 2^32 draws; ln 0 would be infinite
        u1 = Random();
    const double u2 = Random();
    const long double r = std::sqrt(-2.0L * std::log(static_cast<long double>(u1)));
    return static_cast<double>(r * std::cos(twoPi * static_cast<long double>(u2)));
}

void Randomize()
{
    const platform::Clock& clock = platform::CurrentClock();
    if (clock.HighResFrequency() != 0) {
        g_seed = static_cast<std::uint32_t>(clock.HighResCounter());
    } else {
        const double ms = std::fmod(clock.MonotonicSeconds() * 1000.0, 4294967296.0);
        g_seed = ms >= 0.0 ? static_cast<std::uint32_t>(ms) : 0u;
    }
}

std::uint32_t RandSeed()
{
    return g_seed;
}

void SetRandSeed(std::uint32_t seed)
{
    g_seed = seed;
}

void InitializeRandomSeeding()
{
    SetRandSeed(1234);
    DrawPermutation();
    DrawThreeSeedWords();
    Randomize();
    DrawThreeSeedWords();
    SetRandSeed(1234);
    DrawPermutation();
}
