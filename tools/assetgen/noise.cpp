#include "tools/assetgen/noise.h"

#include <cmath>

#include "tools/assetgen/random.h"

namespace {

int Wrap(int v, int period)
{
    v %= period;
    return v < 0 ? v + period : v;
}

double Fade(double t)
{
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

// One of 16 unit directions, chosen by hash, dotted with the offset.
double Gradient(uint32_t hash, double dx, double dy)
{
    static const double kDirections[16][2] = {
        {1.0, 0.0}, {0.92388, 0.38268}, {0.70711, 0.70711}, {0.38268, 0.92388},
        {0.0, 1.0}, {-0.38268, 0.92388}, {-0.70711, 0.70711}, {-0.92388, 0.38268},
        {-1.0, 0.0}, {-0.92388, -0.38268}, {-0.70711, -0.70711}, {-0.38268, -0.92388},
        {0.0, -1.0}, {0.38268, -0.92388}, {0.70711, -0.70711}, {0.92388, -0.38268}};
    const double* d = kDirections[hash & 15u];
    return d[0] * dx + d[1] * dy;
}

}  // namespace

double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    const int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
    const int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
    const double n00 = Gradient(HashPoint(x0, y0, seed), dx, dy);
    const double n10 = Gradient(HashPoint(x1, y0, seed), dx - 1.0, dy);
    const double n01 = Gradient(HashPoint(x0, y1, seed), dx, dy - 1.0);
    const double n11 = Gradient(HashPoint(x1, y1, seed), dx - 1.0, dy - 1.0);
    const double u = Fade(dx);
    const double v = Fade(dy);
    const double a = n00 + (n10 - n00) * u;
    const double b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.4142;
}

double TileFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed,
               double gain)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * TileNoise(x, y, periodX, periodY, seed + 1013u * static_cast<uint32_t>(o));
        norm += amplitude;
        amplitude *= gain;
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

namespace {

uint32_t HashPoint3(int32_t x, int32_t y, int32_t z, uint32_t seed)
{
    return HashPoint(x, static_cast<int32_t>(HashPoint(y, z, seed)), seed ^ 0xA511E9B3u);
}

// The twelve edge directions of a cube, dotted with the offset.
double Gradient3(uint32_t hash, double x, double y, double z)
{
    switch (hash % 12u) {
    case 0: return x + y;
    case 1: return -x + y;
    case 2: return x - y;
    case 3: return -x - y;
    case 4: return x + z;
    case 5: return -x + z;
    case 6: return x - z;
    case 7: return -x - z;
    case 8: return y + z;
    case 9: return -y + z;
    case 10: return y - z;
    default: return -y - z;
    }
}

}  // namespace

double Noise3(double x, double y, double z, uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const double dx = x - fx, dy = y - fy, dz = z - fz;
    const double u = Fade(dx), v = Fade(dy), w = Fade(dz);
    double corners[2][2][2];
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i)
                corners[k][j][i] = Gradient3(HashPoint3(ix + i, iy + j, iz + k, seed),
                                             dx - i, dy - j, dz - k);
    double planes[2];
    for (int k = 0; k < 2; ++k) {
        const double a = corners[k][0][0] + (corners[k][0][1] - corners[k][0][0]) * u;
        const double b = corners[k][1][0] + (corners[k][1][1] - corners[k][1][0]) * u;
        planes[k] = a + (b - a) * v;
    }
    return (planes[0] + (planes[1] - planes[0]) * w) * 0.9;
}

double Fbm3(double x, double y, double z, int octaves, uint32_t seed, double gain)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * Noise3(x, y, z, seed + 7919u * static_cast<uint32_t>(o));
        norm += amplitude;
        amplitude *= gain;
        x *= 2.0;
        y *= 2.0;
        z *= 2.0;
    }
    return sum / norm;
}
