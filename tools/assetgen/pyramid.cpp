#include <cmath>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/runes.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// Golden line work on black for the glowing pyramid. Each side shows this tile twice across
// its base and twice up to the apex, so it repeats in both directions: a frame of double
// lines along the edges (shared with the neighbouring tiles), a circle of runes round an
// eye in a triangle in the middle, and a row of smaller runes under it.
Image MakePyramid()
{
    const int size = 256;
    Image image(size, size);
    Layer lines(size, size, true, true);

    // The frame: a double line across the bottom edge and up the side edge, so neighbouring
    // tiles build a grid of carved blocks.
    for (double offset : {0.0, 7.0}) {
        lines.Line(-8.0, offset + 0.5, size + 8.0, offset + 0.5, offset == 0.0 ? 3.0 : 1.4);
        lines.Line(offset + 0.5, -8.0, offset + 0.5, size + 8.0, offset == 0.0 ? 3.0 : 1.4);
    }
    // Corner studs.
    lines.Disc(0.5, 0.5, 6.0);

    // The great circle: two rings, runes between them, a rune in the middle.
    const double cx = size * 0.5;
    const double cy = size * 0.42;
    lines.Ring(cx, cy, 72.0, 72.0, 2.4);
    lines.Ring(cx, cy, 50.0, 50.0, 1.6);
    const int ringRunes = 10;
    for (int i = 0; i < ringRunes; ++i) {
        const double a = 2.0 * kPi * i / ringRunes;
        DrawRune(lines, cx + std::cos(a) * 61.0, cy + std::sin(a) * 61.0, 15.0, 1.6,
                 300u + static_cast<uint32_t>(i));
    }
    // In the middle, a triangle with an open eye.
    const double side = 78.0;
    const double apexY = cy - side * 0.52;
    const double baseY = cy + side * 0.35;
    lines.Line(cx, apexY, cx - side * 0.5, baseY, 2.6);
    lines.Line(cx - side * 0.5, baseY, cx + side * 0.5, baseY, 2.6);
    lines.Line(cx + side * 0.5, baseY, cx, apexY, 2.6);
    const double eyeY = cy + 4.0;
    const double eyeHalf = 17.0;
    const int arcSteps = 16;
    for (int lid = -1; lid <= 1; lid += 2) {
        for (int i = 0; i < arcSteps; ++i) {
            const double a0 = -1.0 + 2.0 * i / arcSteps;
            const double a1 = -1.0 + 2.0 * (i + 1) / arcSteps;
            lines.Line(cx + a0 * eyeHalf, eyeY + lid * 8.0 * (1.0 - a0 * a0),
                       cx + a1 * eyeHalf, eyeY + lid * 8.0 * (1.0 - a1 * a1), 1.8);
        }
    }
    lines.Disc(cx, eyeY, 4.2);
    // Spokes from the outer ring to the frame, like a sun.
    for (int i = 0; i < 8; ++i) {
        const double a = 2.0 * kPi * (i + 0.5) / 8.0;
        lines.Line(cx + std::cos(a) * 76.0, cy + std::sin(a) * 76.0,
                   cx + std::cos(a) * 92.0, cy + std::sin(a) * 92.0, 1.6);
    }

    // A row of small runes along the lower part, between two thin rules.
    const double rowY = 222.0;
    lines.Line(16.0, rowY - 16.0, size - 8.0, rowY - 16.0, 1.2);
    lines.Line(16.0, rowY + 16.0, size - 8.0, rowY + 16.0, 1.2);
    for (int i = 0; i < 9; ++i)
        DrawRune(lines, 30.0 + i * 26.0, rowY, 20.0, 1.8, 500u + static_cast<uint32_t>(i));

    const Rgb core{1.0, 0.92, 0.6};
    const Rgb gold{1.0, 0.66, 0.12};
    lines.AddTo(image, core, 1.1);
    lines.Blurred(2.0).AddTo(image, gold, 1.3);
    lines.Blurred(5.0).AddTo(image, Rgb{0.7, 0.3, 0.02}, 0.45);
    image.ToneMap(1.4);
    return image;
}
