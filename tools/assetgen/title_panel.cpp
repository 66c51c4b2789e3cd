#include <cmath>

#include "tools/assetgen/emblem.h"
#include "tools/assetgen/layer.h"
#include "tools/assetgen/noise.h"
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

    // The emblem, at its own size (the application icons draw it too, see icons.cpp).
    PaintEmblem(image, c, c, EmblemStyle{});
    return image;
}
