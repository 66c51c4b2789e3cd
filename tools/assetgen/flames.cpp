#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// Eight flame cells side by side, each one step of a flicker; the base of the flame is at
// t = 0 (the bottom of the picture). The cells are shown in turn from the first to the
// seventh and then round again, so the flicker repeats every seven steps (the eighth cell,
// never shown, is the first one again). Flames on black: the tops of the cells and the gaps
// between them stay dark.
Image MakeFlames()
{
    const int cells = 8;
    const int cellWidth = 32;
    const int height = 128;
    const int steps = 7;
    Image image(cells * cellWidth, height);
    const RampStop fire[] = {{0.0, {0.0, 0.0, 0.0}},
                             {0.15, {0.35, 0.03, 0.0}},
                             {0.4, {0.85, 0.22, 0.01}},
                             {0.65, {1.0, 0.55, 0.05}},
                             {0.85, {1.0, 0.85, 0.3}},
                             {1.0, {1.0, 1.0, 0.85}}};

    for (int cell = 0; cell < cells; ++cell) {
        const double phase = static_cast<double>(cell % steps) / steps;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < cellWidth; ++x) {
                // u across the cell -1..1, h up from the base 0..1.
                const double u = ((x + 0.5) / cellWidth) * 2.0 - 1.0;
                const double h = 1.0 - (y + 0.5) / height;
                // Rising turbulence: noise that scrolls up one period per cycle.
                const double scroll = phase * 7.0;
                const double n1 = TileFbm(u * 1.5 + 4.0, h * 3.5 - scroll, 64, 7, 3, 1501);
                const double n2 = TileNoise(u * 3.0 + 9.0, h * 7.0 - 2.0 * scroll, 64, 14, 1502);
                // The flame sways, more towards the tip.
                const double sway = 0.12 * std::sin(2.0 * kPi * phase) * h +
                                    0.22 * n1 * h;
                const double du = u - sway;
                // Body: wide at the base, tapering to a tip that rises and falls.
                const double tip = 0.72 + 0.08 * std::sin(2.0 * kPi * phase + 1.3) + 0.06 * n2;
                const double along = h / tip;
                double width = 0.62 * std::pow(Clamp01(1.0 - along), 0.55) *
                               SmoothStep(-0.15, 0.12, h);
                width *= 1.0 + 0.25 * n2;
                const double inside = width > 0.0 ? 1.0 - std::fabs(du) / width : -1.0;
                double heat = SmoothStep(0.0, 0.6, inside) * (0.75 + 0.35 * n1);
                // Hotter low down, cooling towards the tip; a few loose tongues above it.
                heat *= 1.05 - 0.55 * along;
                const double tongue = SmoothStep(0.35, 0.7, n2 + 0.4 * n1) *
                                      SmoothStep(1.0, 0.0, std::fabs(du) * 2.0) *
                                      SmoothStep(0.95, 0.6, h) * SmoothStep(0.3, 0.6, h);
                heat = std::fmax(heat, 0.45 * tongue);
                // A white-hot core low in the middle.
                heat += 0.35 * SmoothStep(0.35, 0.9, inside) * SmoothStep(0.75, 0.1, along);
                image.At(cell * cellWidth + x, y) = Ramp(fire, Clamp01(heat));
            }
        }
    }
    return image;
}
