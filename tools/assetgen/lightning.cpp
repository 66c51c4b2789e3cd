#include <cmath>
#include <vector>

#include "tools/assetgen/layer.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/textures.h"

// The lightning strip: u runs across the strip, t along its hundred units. A jagged white-blue
// bolt runs the whole length, kinking from side to side, with short forks; it keeps clear of
// the two long edges, which stay black.
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
    const double minX = 18.0;
    const double maxX = width - 18.0;

    Layer bolt(width, height, false, true);
    Layer forks(width, height, false, true);

    // The main bolt, through a few fixed kinks, meeting itself across the ends.
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

    bolt.AddTo(image, Rgb{1.0, 1.0, 1.0}, 1.6);
    bolt.Blurred(1.5).AddTo(image, Rgb{0.55, 0.75, 1.0}, 1.8);
    bolt.Blurred(3.5).AddTo(image, Rgb{0.2, 0.35, 1.0}, 1.2);
    forks.AddTo(image, Rgb{0.85, 0.9, 1.0}, 1.0);
    forks.Blurred(1.5).AddTo(image, Rgb{0.3, 0.5, 1.0}, 1.0);
    image.ToneMap(1.5);
    return image;
}
