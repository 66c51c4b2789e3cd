#pragma once

#include <cstdint>

// The generator's own pseudo-random numbers (SplitMix64): the same sequence on every host and
// in every run, whatever the standard library does.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next();
    // 0 <= value < 1, with 53 random bits.
    double Uniform();
    double Range(double low, double high) { return low + (high - low) * Uniform(); }
    // 0 .. count-1.
    int Below(int count);

private:
    uint64_t state_;
};

// Mixes lattice coordinates and a seed into 32 well-spread bits.
uint32_t HashPoint(int32_t x, int32_t y, uint32_t seed);
