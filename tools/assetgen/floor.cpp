#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"
#include "tools/assetgen/textures.h"

// Dark stone flags in courses, laid like brickwork with uneven joints, each flag its own shade
// and grain, the mortar between them worn and crumbling. The picture repeats in both
// directions: the courses divide the height exactly and each course's flags go once round.
namespace {

constexpr int kSize = 256;
constexpr int kCourses = 4;
constexpr int kCourseHeight = kSize / kCourses;
constexpr int kMaxFlags = 6;

struct Course {
    int offset = 0;
    int count = 0;
    int edges[kMaxFlags + 1] = {};  // flag boundaries from the offset, edges[count] == kSize
};

}  // namespace

Image MakeFloor()
{
    Random random(0x1DF100Dull);
    Course courses[kCourses];
    for (Course& c : courses) {
        c.offset = random.Below(kSize);
        c.count = 3 + random.Below(2);
        // Widths that vary but add up to the full width.
        double weights[kMaxFlags];
        double total = 0.0;
        for (int i = 0; i < c.count; ++i) {
            weights[i] = random.Range(0.7, 1.3);
            total += weights[i];
        }
        double at = 0.0;
        c.edges[0] = 0;
        for (int i = 0; i < c.count; ++i) {
            at += weights[i];
            c.edges[i + 1] = static_cast<int>(std::lround(at / total * kSize));
        }
        c.edges[c.count] = kSize;
    }

    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double fx = x + 0.5;
            const double fy = y + 0.5;
            // Worn, wandering joints: the lookup point is pushed about a little.
            const double wobbleX = 2.2 * TileFbm(fx / 32.0, fy / 32.0, 8, 8, 3, 11);
            const double wobbleY = 2.2 * TileFbm(fx / 32.0, fy / 32.0, 8, 8, 3, 12);
            double wx = fx + wobbleX;
            double wy = fy + wobbleY;
            wy = std::fmod(wy + kSize, static_cast<double>(kSize));
            const int course = static_cast<int>(wy / kCourseHeight) % kCourses;
            const Course& c = courses[course];
            double local = std::fmod(wx - c.offset + 2.0 * kSize, static_cast<double>(kSize));
            int flag = 0;
            while (flag + 1 < c.count && local >= c.edges[flag + 1])
                ++flag;
            const double left = local - c.edges[flag];
            const double right = c.edges[flag + 1] - local;
            const double top = wy - course * kCourseHeight;
            const double bottom = (course + 1) * kCourseHeight - wy;
            const double edge = std::fmin(std::fmin(left, right), std::fmin(top, bottom));

            // Each flag: its own shade and a slight warm or cool cast.
            const uint32_t id = HashPoint(course, flag, 77);
            const double shade = 0.78 + 0.3 * ((id & 0xFF) / 255.0);
            const double cast = ((id >> 8) & 0xFF) / 255.0 - 0.5;
            Rgb stone{0.36 + 0.04 * cast, 0.34, 0.32 - 0.04 * cast};
            stone = stone * shade;

            // Grain: broad mottling, fine speckle and a few darker veins.
            const uint32_t grainSeed = 100 + (id & 0xFFu);
            const double mottle = TileFbm(fx / 64.0, fy / 64.0, 4, 4, 4, grainSeed);
            const double speckle = (HashPoint(x, y, 31) & 0xFFFFu) / 32767.5 - 1.0;
            const double vein = std::fabs(TileFbm(fx * 6.0 / kSize, fy * 6.0 / kSize, 6, 6, 3,
                                                  grainSeed + 7));
            double lightness = 1.0 + 0.3 * mottle + 0.05 * speckle;
            // Flags settle unevenly: each one a little lighter towards one side.
            const double tilt = (((id >> 16) & 0xFF) / 255.0 - 0.5) * 0.16;
            lightness *= 1.0 + tilt * ((left - right) / (left + right));
            lightness *= 0.92 + 0.08 * SmoothStep(0.0, 0.1, vein);

            // Worn edges: the flag darkens and rounds off towards the joint, lit a little on
            // its upper-left rims and shadowed on the lower-right ones.
            const double rim = SmoothStep(1.5, 7.0, edge);
            lightness *= 0.7 + 0.3 * rim;
            if (top < 5.0 || left < 5.0)
                lightness *= 1.0 + 0.08 * (1.0 - rim);
            if (bottom < 5.0 || right < 5.0)
                lightness *= 1.0 - 0.1 * (1.0 - rim);
            Rgb colour = stone * lightness;

            // Mortar, crumbled away in places (darker) or filled with grit.
            const double erosion = TileNoise(fx * 40.0 / kSize, fy * 40.0 / kSize, 40, 40, 57);
            const double jointWidth = 1.8 + 1.2 * erosion;
            const double inJoint = 1.0 - SmoothStep(jointWidth - 0.8, jointWidth + 0.8, edge);
            const double grit = (HashPoint(x, y, 58) & 0xFFFFu) / 65535.0;
            const Rgb mortar = Rgb{0.10, 0.095, 0.09} * (0.7 + 0.6 * grit);
            colour = Mix(colour, mortar, inJoint);
            image.At(x, y) = colour;
        }
    }
    return image;
}
