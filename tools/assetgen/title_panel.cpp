#include <cmath>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/runes.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// The title panel: an emblem on deep purple, a glowing ring with a band of runes, a star of
// thin lines inside. It stays dim enough for the bright title texts drawn in front of it.
// The panel is split along its diagonal and the halves slide in from either side, so the
// emblem sits in the middle where the halves meet; only about the middle seven tenths of the
// panel's height is in view, so the emblem keeps within that.
Image MakeTitlePanel()
{
    const int size = 256;
    Image image(size, size);
    const double c = size * 0.5;

    // Background: deep purple, lighter towards the middle, with a slow marbled cloud.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5 - c) / c;
            const double dy = (y + 0.5 - c) / c;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double cloud = TileFbm((x + 0.5) / 64.0, (y + 0.5) / 64.0, 4, 4, 5, 1201);
            const double vein = std::fabs(TileFbm((x + 0.5) / 32.0, (y + 0.5) / 32.0, 8, 8, 4, 1202));
            const Rgb deep{0.09, 0.02, 0.16};
            const Rgb purple{0.26, 0.07, 0.38};
            Rgb colour = Mix(purple, deep, SmoothStep(0.0, 1.3, r));
            colour = colour * (0.85 + 0.3 * cloud);
            colour = colour + Rgb{0.10, 0.03, 0.12} * (1.0 - SmoothStep(0.0, 0.05, vein));
            image.At(x, y) = colour;
        }
    }

    // A thin border inset from the edges.
    Layer border(size, size, false, false);
    border.Line(6.0, 6.0, size - 6.0, 6.0, 1.5);
    border.Line(size - 6.0, 6.0, size - 6.0, size - 6.0, 1.5);
    border.Line(size - 6.0, size - 6.0, 6.0, size - 6.0, 1.5);
    border.Line(6.0, size - 6.0, 6.0, 6.0, 1.5);
    border.AddTo(image, Rgb{0.55, 0.35, 0.75}, 0.6);
    border.Blurred(3.0).AddTo(image, Rgb{0.4, 0.15, 0.6}, 0.5);

    // The emblem.
    Layer ring(size, size, false, false);
    ring.Ring(c, c, 80.0, 80.0, 3.0);
    ring.Ring(c, c, 57.0, 57.0, 2.0);
    ring.Ring(c, c, 86.0, 86.0, 1.2, 0.7);
    Layer runes(size, size, false, false);
    const int count = 12;
    for (int i = 0; i < count; ++i) {
        const double a = 2.0 * kPi * i / count - kPi * 0.5;
        DrawRune(runes, c + std::cos(a) * 68.5, c + std::sin(a) * 68.5, 14.0, 1.7,
                 700u + static_cast<uint32_t>(i));
    }
    // An eight-pointed star of two squares inside the inner ring.
    Layer star(size, size, false, false);
    for (int square = 0; square < 2; ++square) {
        for (int k = 0; k < 4; ++k) {
            const double a0 = kPi * 0.5 * k + square * kPi * 0.25;
            const double a1 = a0 + kPi * 0.5;
            star.Line(c + std::cos(a0) * 52.0, c + std::sin(a0) * 52.0,
                      c + std::cos(a1) * 52.0, c + std::sin(a1) * 52.0, 1.3);
        }
    }
    star.Ring(c, c, 10.0, 10.0, 2.0);

    const Rgb ringCore{1.0, 0.85, 0.55};
    const Rgb ringGlow{0.95, 0.45, 0.85};
    ring.Blurred(7.0).AddTo(image, Rgb{0.6, 0.2, 0.7}, 0.9);
    ring.Blurred(2.0).AddTo(image, ringGlow, 0.7);
    ring.AddTo(image, ringCore, 0.75);
    runes.Blurred(2.5).AddTo(image, ringGlow, 0.5);
    runes.AddTo(image, Rgb{1.0, 0.8, 0.6}, 0.6);
    star.Blurred(2.0).AddTo(image, Rgb{0.5, 0.25, 0.7}, 0.5);
    star.AddTo(image, Rgb{0.6, 0.45, 0.8}, 0.45);
    return image;
}
