#include <cmath>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// The walls glow (drawn additively), so black is empty. One tile is a dark band held between
// two bright cyan rails, with a current winding along it and faint circuit traces behind.
// It repeats 40 times along a wall and 4 times up, so everything that reaches an edge is
// drawn across it; the rows at the top and bottom edges are black.
Image MakeWalls()
{
    const int size = 128;
    Image image(size, size);
    const double railTop = 22.0;
    const double railBottom = 106.0;

    // The dark band itself: deep blue-green, a little cloudy.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double fy = y + 0.5;
            const double inside = SmoothStep(railTop - 2.0, railTop + 6.0, fy) *
                                  (1.0 - SmoothStep(railBottom - 6.0, railBottom + 2.0, fy));
            const double cloud = 0.5 + 0.5 * TileFbm((x + 0.5) / 32.0, fy / 32.0, 4, 4, 4, 401);
            image.At(x, y) = Rgb{0.0, 0.09, 0.13} * (inside * (0.6 + 0.8 * cloud));
        }
    }

    // Faint circuit traces: horizontal runs with 45-degree jogs and a pad at each end.
    Layer traces(size, size, true, true);
    Random random(0x1A11ull);
    const double lanes[] = {38.0, 52.0, 76.0, 90.0};
    for (double lane : lanes) {
        double x = random.Range(0.0, size);
        double y = lane;
        const int pieces = 3;
        for (int i = 0; i < pieces; ++i) {
            const double run = random.Range(14.0, 34.0);
            traces.Line(x, y, x + run, y, 1.4);
            x += run;
            const double jog = random.Below(2) ? 7.0 : -7.0;
            const double nextY = (y + jog < railTop + 8.0 || y + jog > railBottom - 8.0) ? y : y + jog;
            traces.Line(x, y, x + 7.0, nextY, 1.4);
            x += 7.0;
            y = nextY;
        }
        traces.Disc(x, y, 2.2);
        traces.Ring(x, y, 3.6, 3.6, 1.0);
    }
    traces.AddTo(image, Rgb{0.05, 0.45, 0.55}, 0.7);
    traces.Blurred(2.5).AddTo(image, Rgb{0.0, 0.3, 0.4}, 0.8);

    // The bright parts: two rails and a current that winds between them, once per tile.
    Layer bright(size, size, true, true);
    bright.Line(-4.0, railTop, size + 4.0, railTop, 2.2);
    bright.Line(-4.0, railBottom, size + 4.0, railBottom, 2.2);
    const int steps = 64;
    const double middle = (railTop + railBottom) * 0.5;
    for (int i = 0; i < steps; ++i) {
        const double x0 = size * i / static_cast<double>(steps);
        const double x1 = size * (i + 1) / static_cast<double>(steps);
        auto wave = [&](double xx) {
            const double a = 2.0 * kPi * xx / size;
            return middle + 24.0 * std::sin(a) + 6.0 * std::sin(3.0 * a + 1.0);
        };
        bright.Line(x0, wave(x0), x1, wave(x1), 1.6, 0.9);
    }
    // Nodes where the current crosses the middle.
    for (int i = 0; i < 2; ++i) {
        const double x = size * (0.5 * i);
        bright.Disc(x, middle + 6.0 * std::sin(3.0 * 2.0 * kPi * x / size + 1.0), 2.6, 1.0);
    }

    const Rgb core{0.75, 1.0, 1.0};
    const Rgb cyan{0.0, 0.8, 1.0};
    bright.AddTo(image, core, 1.6);
    bright.Blurred(1.8).AddTo(image, cyan, 1.6);
    bright.Blurred(6.0).AddTo(image, Rgb{0.0, 0.45, 0.75}, 1.6);
    image.ToneMap(1.3);
    return image;
}
