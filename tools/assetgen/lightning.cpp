#include <cmath>
#include <vector>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/textures.h"

// The lightning strip: u runs across the strip, t along its hundred units. The game draws the
// beam opaque and only 0.02 units wide, nearly edge-on, so a player sees little more than the
// strip's smallest mipmaps, its average colour: the whole strip is a bright plasma band. A near
// white core wanders a little from side to side, a blue-white glow reaches both long edges,
// the brightness flickers along the length, and a jagged white bolt with short forks crackles
// through it for the close view.
namespace {

struct Point {
    double x, y;
};

// Midpoint displacement between two points: each level halves the segments and pushes the
// new middle point sideways by a shrinking random amount.
void Jag(std::vector<Point>& path, Random& random, double spread, double minX, double maxX)
{
    for (int level = 0; level < 6; ++level) {
        std::vector<Point> next;
        next.reserve(path.size() * 2);
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            next.push_back(path[i]);
            Point mid{(path[i].x + path[i + 1].x) * 0.5, (path[i].y + path[i + 1].y) * 0.5};
            mid.x += random.Range(-spread, spread);
            mid.x = std::fmin(maxX, std::fmax(minX, mid.x));
            next.push_back(mid);
        }
        next.push_back(path.back());
        path.swap(next);
        spread *= 0.6;
    }
}

}  // namespace

Image MakeLightning()
{
    const int width = 64;
    const int height = 256;
    Image image(width, height);
    Random random(0x1B0171ull);
    const double minX = 10.0;
    const double maxX = width - 10.0;

    // The plasma band. Every noise repeats along t, so the strip has no seam at its ends.
    const Rgb coreColour{1.0, 1.0, 1.0};
    const Rgb glowColour{0.55, 0.75, 1.0};
    const Rgb hazeColour{0.25, 0.45, 1.0};
    for (int y = 0; y < height; ++y) {
        const double along = (y + 0.5) / height;
        const double wander = 0.05 * TileFbm(along * 4.0, 0.5, 4, 1, 3, 1301);
        const double flicker = 0.85 + 0.25 * TileFbm(along * 16.0, 0.5, 16, 1, 3, 1302);
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width;
            const double d = std::fabs(u - 0.5 - wander) * 2.0;  // 0 on the core, about 1 at the edges
            const double grain = TileFbm(u * 8.0, along * 32.0, 8, 32, 3, 1303);
            const double core = std::exp(-(d * d) / (0.22 * 0.22));
            const double glow = std::exp(-(d * d) / (0.75 * 0.75));
            Rgb colour = coreColour * (1.6 * core) + glowColour * glow + hazeColour * 0.6;
            colour = colour * (flicker * (1.0 + 0.2 * grain));
            image.At(x, y) = colour;
        }
    }

    Layer bolt(width, height, false, true);
    Layer forks(width, height, false, true);

    // The bolt, through a few fixed kinks, meeting itself across the ends.
    std::vector<Point> path;
    const int kinks = 8;
    const double startX = width * 0.5;
    for (int i = 0; i <= kinks; ++i) {
        const double x = (i == 0 || i == kinks) ? startX : random.Range(minX + 2.0, maxX - 2.0);
        path.push_back({x, height * i / static_cast<double>(kinks)});
    }
    Jag(path, random, 8.0, minX, maxX);
    for (size_t i = 0; i + 1 < path.size(); ++i)
        bolt.Line(path[i].x, path[i].y, path[i + 1].x, path[i + 1].y, 2.0);

    // Forks: short jagged branches leaving the bolt and fading out.
    for (int f = 0; f < 10; ++f) {
        const Point from = path[static_cast<size_t>(random.Below(static_cast<int>(path.size()) - 1))];
        const double length = random.Range(10.0, 26.0);
        const double side = random.Below(2) ? 1.0 : -1.0;
        const double dir = random.Below(2) ? 1.0 : -1.0;
        std::vector<Point> branch{from,
                                  {from.x + side * random.Range(4.0, 9.0), from.y + dir * length}};
        branch.back().x = std::fmin(maxX, std::fmax(minX, branch.back().x));
        Jag(branch, random, 3.0, minX, maxX);
        for (size_t i = 0; i + 1 < branch.size(); ++i) {
            const double fade = 1.0 - static_cast<double>(i) / branch.size();
            forks.Line(branch[i].x, branch[i].y, branch[i + 1].x, branch[i + 1].y, 1.1, 0.4 + 0.6 * fade);
        }
    }

    bolt.AddTo(image, coreColour, 1.6);
    bolt.Blurred(1.5).AddTo(image, glowColour, 1.2);
    forks.AddTo(image, Rgb{0.85, 0.9, 1.0}, 1.0);
    forks.Blurred(1.5).AddTo(image, Rgb{0.3, 0.5, 1.0}, 0.8);
    image.ToneMap(1.5);
    return image;
}
