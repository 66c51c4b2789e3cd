#include "tools/assetgen/icons.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "tools/assetgen/emblem.h"
#include "tools/assetgen/image.h"
#include "tools/assetgen/layer.h"
#include "tools/assetgen/noise.h"

// The icon is the title panel's emblem on a round purple disc, transparent outside it. Each
// size is painted on a finer grid (256 pixels across, or twice the size) and box-filtered
// down, so edges are smooth without blurring. Strokes are kept at least one icon pixel wide;
// below 64 pixels the thin outermost ring is left out and a dot stands for each rune, and at
// 32 pixels and below only the big ring, the star and its centre remain, since anything finer
// would smudge.
namespace {

// The disc's radius in emblem units (the outer ring has 86).
const double kDiscRadius = 95.0;

}  // namespace

IconImage MakeIcon(int size)
{
    IconImage icon;
    if (size <= 0)
        return icon;
    const int fine = std::max(2, 256 / size);  // fine pixels per icon pixel, each way
    const int side = size * fine;
    const double c = side * 0.5;
    const double radius = c - 0.5 * fine;  // half an icon pixel inside the edge
    const double scale = radius / kDiscRadius;
    const bool small = size < 64;
    const bool tiny = size <= 32;

    // The disc: deep purple, lighter in the middle, with the panel's slow marbled cloud.
    Image image(side, side);
    std::vector<double> cover(static_cast<std::size_t>(side) * side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double r = d / radius;
            const double u = (x + 0.5) / side;
            const double v = (y + 0.5) / side;
            const double cloud = TileFbm(u * 4.0, v * 4.0, 4, 4, small ? 2 : 4, 1201);
            const Rgb deep{0.09, 0.02, 0.16};
            const Rgb purple{0.30, 0.08, 0.44};
            Rgb colour = Mix(purple, deep, SmoothStep(0.0, 1.1, r));
            image.At(x, y) = colour * (0.85 + 0.3 * cloud);
            cover[static_cast<std::size_t>(y) * side + x] = Clamp01(radius - d + 0.5);
        }
    }
    // A rim of light round the disc's edge.
    Layer rim(side, side, false, false);
    rim.Ring(c, c, radius - 0.75 * fine, radius - 0.75 * fine, 1.0 * fine);
    rim.AddTo(image, Rgb{0.55, 0.35, 0.75}, 0.6);

    EmblemStyle style;
    style.scale = scale;
    style.minStroke = 1.0 * fine;
    style.band = !small ? RuneBand::runes : (!tiny ? RuneBand::dots : RuneBand::empty);
    style.outerRing = !small;
    style.innerRing = !tiny;
    style.gain = tiny ? 1.0 : 1.3;
    PaintEmblem(image, c, c, style);

    // Down to the icon's size: each icon pixel averages its fine pixels, their colours
    // weighted by how much of each the disc covers.
    icon.size = size;
    icon.rgba.resize(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            double alpha = 0.0;
            for (int fy = y * fine; fy < (y + 1) * fine; ++fy) {
                for (int fx = x * fine; fx < (x + 1) * fine; ++fx) {
                    const double a = cover[static_cast<std::size_t>(fy) * side + fx];
                    const Rgb& p = image.At(fx, fy);
                    sum = sum + Rgb{Clamp01(p.r), Clamp01(p.g), Clamp01(p.b)} * a;
                    alpha += a;
                }
            }
            const Rgb colour = alpha > 0.0 ? sum * (1.0 / alpha) : Rgb{};
            unsigned char* out = &icon.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out[0] = static_cast<unsigned char>(std::lround(Clamp01(colour.r) * 255.0));
            out[1] = static_cast<unsigned char>(std::lround(Clamp01(colour.g) * 255.0));
            out[2] = static_cast<unsigned char>(std::lround(Clamp01(colour.b) * 255.0));
            out[3] = static_cast<unsigned char>(std::lround(alpha / (fine * fine) * 255.0));
        }
    }
    return icon;
}
