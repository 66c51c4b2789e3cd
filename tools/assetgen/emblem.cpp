#include "tools/assetgen/emblem.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/runes.h"
#include "tools/assetgen/sphere.h"

void PaintEmblem(Image& image, double cx, double cy, const EmblemStyle& style)
{
    const int w = image.Width();
    const int h = image.Height();
    const double k = style.scale;
    auto stroke = [&](double width) { return std::max(width * k, style.minStroke); };

    Layer ring(w, h, false, false);
    ring.Ring(cx, cy, 80.0 * k, 80.0 * k, stroke(3.0));
    if (style.innerRing)
        ring.Ring(cx, cy, 57.0 * k, 57.0 * k, stroke(2.0));
    if (style.outerRing)
        ring.Ring(cx, cy, 86.0 * k, 86.0 * k, stroke(1.2), 0.7);
    Layer runes(w, h, false, false);
    const int count = 12;
    for (int i = 0; style.band != RuneBand::empty && i < count; ++i) {
        const double a = 2.0 * kPi * i / count - kPi * 0.5;
        const double x = cx + std::cos(a) * 68.5 * k;
        const double y = cy + std::sin(a) * 68.5 * k;
        if (style.band == RuneBand::runes)
            DrawRune(runes, x, y, 14.0 * k, stroke(1.7), 700u + static_cast<uint32_t>(i));
        else
            runes.Disc(x, y, std::max(3.0 * k, style.minStroke));
    }
    // An eight-pointed star of two squares inside the inner ring.
    Layer star(w, h, false, false);
    for (int square = 0; square < 2; ++square) {
        for (int q = 0; q < 4; ++q) {
            const double a0 = kPi * 0.5 * q + square * kPi * 0.25;
            const double a1 = a0 + kPi * 0.5;
            star.Line(cx + std::cos(a0) * 52.0 * k, cy + std::sin(a0) * 52.0 * k,
                      cx + std::cos(a1) * 52.0 * k, cy + std::sin(a1) * 52.0 * k, stroke(1.3));
        }
    }
    star.Ring(cx, cy, 10.0 * k, 10.0 * k, stroke(2.0));

    const double g = style.gain;
    const Rgb ringCore{1.0, 0.85, 0.55};
    const Rgb ringGlow{0.95, 0.45, 0.85};
    ring.Blurred(7.0 * k).AddTo(image, Rgb{0.6, 0.2, 0.7}, 0.9 * g);
    ring.Blurred(2.0 * k).AddTo(image, ringGlow, 0.7 * g);
    ring.AddTo(image, ringCore, 0.75 * g);
    if (style.band != RuneBand::empty) {
        runes.Blurred(2.5 * k).AddTo(image, ringGlow, 0.5 * g);
        runes.AddTo(image, Rgb{1.0, 0.8, 0.6}, 0.6 * g);
    }
    star.Blurred(2.0 * k).AddTo(image, Rgb{0.5, 0.25, 0.7}, 0.5 * g);
    star.AddTo(image, Rgb{0.6, 0.45, 0.8}, 0.45 * g);
}
