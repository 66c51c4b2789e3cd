#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// Black space with a faint violet-blue nebula and stars of several sizes, laid out on the
// sphere itself: a texel near the poles covers less sky across than one at the equator, and
// one texel across covers twice the angle of one texel up, so stars are stretched to come out
// round, and spread evenly over the sphere rather than over the picture.
Image MakeSky()
{
    const int size = 256;
    Image image(size, size);

    // Nebula: cloudy noise, thinned out by a broader mask so that it lies in a few drifts.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const SpherePoint p = SphereAt(x, y, size, size);
            const double mask = Fbm3(p.x * 1.3, p.y * 1.3, p.z * 1.3, 3, 901);
            const double cloud = Fbm3(p.x * 3.0, p.y * 3.0, p.z * 3.0, 5, 902, 0.55);
            const double hue = Fbm3(p.x * 2.0 + 5.0, p.y * 2.0, p.z * 2.0, 3, 903);
            double density = SmoothStep(-0.2, 0.3, mask) * SmoothStep(-0.3, 0.4, cloud);
            density = density * density;
            const Rgb violet{0.30, 0.10, 0.45};
            const Rgb blue{0.08, 0.16, 0.48};
            const Rgb colour = Mix(violet, blue, SmoothStep(-0.3, 0.3, hue));
            image.At(x, y) = colour * (0.75 * density);
        }
    }

    // Stars: mostly faint single points, some brighter, a few large ones with a halo.
    Random random(0x15A7ull);
    const int count = 900;
    for (int i = 0; i < count; ++i) {
        const double z = random.Range(-1.0, 1.0);
        const double longitude = random.Range(0.0, 2.0 * kPi);
        const double latitude = std::asin(z);
        const double roll = random.Uniform();
        double brightness;
        double radius;  // in texels up the picture
        if (roll < 0.75) {
            brightness = random.Range(0.25, 0.7);
            radius = 0.45;
        } else if (roll < 0.95) {
            brightness = random.Range(0.7, 1.0);
            radius = 0.7;
        } else {
            brightness = random.Range(1.0, 1.6);
            radius = random.Range(1.0, 1.6);
        }
        const double tint = random.Uniform();
        Rgb colour = tint < 0.3 ? Rgb{0.75, 0.85, 1.0}
                                : (tint < 0.45 ? Rgb{1.0, 0.9, 0.7} : Rgb{1.0, 1.0, 1.0});
        const double cy = (0.5 - latitude / kPi) * size;
        const double cx = longitude / (2.0 * kPi) * size;
        // A texel across spans 2 pi / size of longitude, i.e. 2 cos(latitude) times the
        // angle of a texel up.
        const double squeeze = 2.0 * std::fmax(std::cos(latitude), 0.08);
        const double radiusX = radius / squeeze;
        const double reachX = std::ceil(radiusX * 4.0 + 1.0);
        const double reachY = std::ceil(radius * 4.0 + 1.0);
        for (int dy = -static_cast<int>(reachY); dy <= static_cast<int>(reachY); ++dy) {
            const int py = static_cast<int>(std::floor(cy)) + dy;
            if (py < 0 || py >= size)
                continue;
            for (int dx = -static_cast<int>(reachX); dx <= static_cast<int>(reachX); ++dx) {
                const int px = static_cast<int>(std::floor(cx)) + dx;
                const double ex = (px + 0.5 - cx) / radiusX;
                const double ey = (py + 0.5 - cy) / radius;
                const double d2 = ex * ex + ey * ey;
                double light = std::exp(-d2 * 1.2);
                if (radius > 0.9)
                    light += 0.25 * std::exp(-std::sqrt(d2) * 1.1);  // halo
                image.Wrapped(px, py) = image.Wrapped(px, py) + colour * (brightness * light);
            }
        }
    }
    image.ToneMap(1.2);
    return image;
}
