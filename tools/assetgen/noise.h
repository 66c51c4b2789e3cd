#pragma once

#include <cstdint>

// Noise that tiles: every function here repeats after periodX lattice cells along x and
// periodY along y, so a texture built from it has no seam where it wraps.

// Gradient noise, roughly -1..1, zero on the lattice points.
double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed);

// Octaves of TileNoise, each twice the frequency (and period) of the one before, so the sum
// tiles like the first octave. Roughly -1..1.
double TileFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed,
               double gain = 0.5);

// Worley cells: one jittered feature point per lattice cell.
struct CellSample {
    double nearest = 0.0;   // distance to the nearest point
    double second = 0.0;    // distance to the second nearest (second - nearest: cell borders)
    uint32_t id = 0;        // hash of the nearest point's cell, the same for the whole cell
    double offsetX = 0.0;   // from the sample to the nearest point
    double offsetY = 0.0;
};
CellSample TileCells(double x, double y, int periodX, int periodY, uint32_t seed,
                     double jitter = 0.8);

// Gradient noise in space, roughly -1..1, for pictures wrapped round a sphere: sampled at
// points of the sphere it has no seam and no pinch at the poles.
double Noise3(double x, double y, double z, uint32_t seed);
double Fbm3(double x, double y, double z, int octaves, uint32_t seed, double gain = 0.5);
