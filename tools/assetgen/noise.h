#pragma once

#include <cstdint>

// Noise for textures. The Tile functions repeat after periodX lattice cells along x and
// periodY along y, so a picture built from them has no seam where it wraps.

// Gradient noise, roughly -1..1, zero on the lattice points.
double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed);

// Octaves of TileNoise, each twice the frequency (and period) of the one before, so the sum
// tiles like the first octave. Roughly -1..1.
double TileFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed,
               double gain = 0.5);

// Gradient noise in space, roughly -1..1, for pictures wrapped round a sphere: sampled at
// points of the sphere it has no seam and no pinch at the poles.
double Noise3(double x, double y, double z, uint32_t seed);
double Fbm3(double x, double y, double z, int octaves, uint32_t seed, double gain = 0.5);
