#pragma once
// The one program-wide random-number generator: a 32-bit linear congruential
// state (state * 134775813 + 1 mod 2^32). There is no second generator.
#include <cstdint>

// Uniform value in [0, 1): state / 2^32 after one step.
double Random();
// Whole number in 0..range-1: the high 32 bits of state * range after one step.
// A range of 0 or less gives 0 (the state still steps).
std::int32_t Random(std::int32_t range);
// Standard normal deviate by Box-Muller (cosine branch); draws two uniforms,
// the first one again while it is 0.
double RandomNormal();

// Seeds from the low 32 bits of the high-resolution counter (the millisecond
// monotonic clock when there is no such counter).
void Randomize();

std::uint32_t RandSeed();
void SetRandSeed(std::uint32_t seed);

// The generator steps the program runs once at start-up, in order: seed 1234
// and a permutation of 1..255, three draws, Randomize, three draws, seed 1234
// and a permutation again. Leaves the generator in a fixed state.
void InitializeRandomSeeding();
