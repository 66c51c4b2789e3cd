#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// The enemy is a ball drawn additively, so its skin glows: fiery, threaded with veins, with
// one great eye on the equator that comes round as it spins. Frozen, the same skin turns to
// icy blue and white, the veins go pale and the surface is crazed with cracks. Everything is
// worked out on the sphere, so there is no seam round the back and no pinch at the poles.
namespace {

constexpr double kIrisRadius = 0.42;   // radians
constexpr double kPupilWidth = 0.07;   // half-width of the slit, radians
constexpr double kPupilHeight = 0.30;  // half-height of the slit

struct Skin {
    double heat;   // 0 dark .. 1 white-hot
    double vein;   // 0 .. 1, how much a vein covers this texel
    double iris;   // 0 outside the eye .. 1 inside the iris
    double pupil;  // 1 inside the pupil
    double socket; // 1 in the dark ring just outside the iris
    double halo;   // 1 close round the eye, fading outwards
    double rays;   // 0..1, the streaks of the iris
};

Skin SkinAt(const SpherePoint& p)
{
    Skin skin{};
    // Turbulent heat, churning more slowly at large scale.
    const double warpX = Fbm3(p.x * 2.0, p.y * 2.0, p.z * 2.0, 3, 61);
    const double warpY = Fbm3(p.x * 2.0 + 9.0, p.y * 2.0, p.z * 2.0, 3, 62);
    const double warpZ = Fbm3(p.x * 2.0, p.y * 2.0 + 9.0, p.z * 2.0, 3, 63);
    const double qx = p.x + 0.35 * warpX, qy = p.y + 0.35 * warpY, qz = p.z + 0.35 * warpZ;
    skin.heat = 0.5 + 0.8 * Fbm3(qx * 3.0, qy * 3.0, qz * 3.0, 5, 64);

    // Veins: the ridges of noise (where it crosses zero), branching from coarse to fine.
    const double coarse = std::fabs(Fbm3(qx * 2.5, qy * 2.5, qz * 2.5, 4, 65));
    const double fine = std::fabs(Fbm3(p.x * 6.0, p.y * 6.0, p.z * 6.0, 3, 66));
    const double veinCoarse = 1.0 - SmoothStep(0.0, 0.06, coarse);
    const double veinFine = (1.0 - SmoothStep(0.0, 0.04, fine)) * 0.7;
    skin.vein = std::fmax(veinCoarse, veinFine);

    // The eye faces out of the middle of the picture (s = 0.5 on the equator).
    const SpherePoint centre = SphereFromAngles(kPi, 0.0);
    const double distance = SphereAngle(p, centre);
    skin.iris = 1.0 - SmoothStep(kIrisRadius - 0.03, kIrisRadius + 0.01, distance);
    skin.socket = SmoothStep(kIrisRadius - 0.01, kIrisRadius + 0.03, distance) *
                  (1.0 - SmoothStep(kIrisRadius + 0.05, kIrisRadius + 0.12, distance));
    skin.halo = 1.0 - SmoothStep(kIrisRadius, kIrisRadius + 0.45, distance);
    // The slit: measured across (longitude) and up (latitude) from the eye's centre.
    double across = p.longitude - kPi;
    const double up = p.latitude;
    across *= std::cos(up);
    const double slit = (across * across) / (kPupilWidth * kPupilWidth) +
                        (up * up) / (kPupilHeight * kPupilHeight);
    skin.pupil = 1.0 - SmoothStep(0.8, 1.05, slit);

    // Streaks of the iris: noise round the eye's centre, darker near the pupil.
    const double angle = std::atan2(up, across);
    const double r = std::fmin(distance / kIrisRadius, 1.0);
    const double streak = Fbm3(std::cos(angle) * 9.0, std::sin(angle) * 9.0, r * 2.0, 3, 67);
    skin.rays = Clamp01((0.55 + 0.6 * streak) * (0.45 + 0.55 * SmoothStep(0.0, 0.8, r)));
    return skin;
}

}  // namespace

Image MakeEnemy(bool frozen)
{
    const int size = 256;
    Image image(size, size);
    const RampStop fire[] = {{0.0, {0.22, 0.02, 0.0}},
                             {0.35, {0.55, 0.07, 0.01}},
                             {0.6, {0.9, 0.3, 0.03}},
                             {0.85, {1.0, 0.65, 0.12}},
                             {1.0, {1.0, 0.9, 0.45}}};
    const RampStop ice[] = {{0.0, {0.05, 0.14, 0.3}},
                            {0.35, {0.16, 0.36, 0.62}},
                            {0.6, {0.42, 0.66, 0.88}},
                            {0.85, {0.72, 0.88, 0.98}},
                            {1.0, {0.95, 0.98, 1.0}}};
    const RampStop irisFire[] = {{0.0, {0.6, 0.2, 0.0}}, {0.5, {1.0, 0.6, 0.05}}, {1.0, {1.0, 0.95, 0.5}}};
    const RampStop irisIce[] = {{0.0, {0.2, 0.45, 0.8}}, {0.5, {0.55, 0.85, 1.0}}, {1.0, {0.95, 1.0, 1.0}}};

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const SpherePoint p = SphereAt(x, y, size, size);
            const Skin skin = SkinAt(p);
            Rgb colour;
            if (!frozen) {
                // Darker skin with hotter patches, brighter close round the eye.
                colour = Ramp(fire, Clamp01(skin.heat * 0.8 + 0.25 * skin.halo));
                // Veins: glowing threads with a dark edge, like cracks in a crust.
                colour = colour * (1.0 - 0.5 * SmoothStep(0.0, 0.5, skin.vein));
                colour = colour + Rgb{1.0, 0.7, 0.2} * (SmoothStep(0.5, 1.0, skin.vein) * 0.9);
                const Rgb iris = Ramp(irisFire, skin.rays);
                colour = Mix(colour, iris, skin.iris);
            } else {
                colour = Ramp(ice, Clamp01(skin.heat * 0.8 + 0.15));
                // The veins go pale, frost-filled.
                colour = Mix(colour, Rgb{0.85, 0.95, 1.0}, skin.vein * 0.5);
                // Cracks: the borders of broken cells, sharp and white.
                const double ex = p.x * 5.0, ey = p.y * 5.0, ez = p.z * 5.0;
                const double a = std::fabs(Noise3(ex, ey, ez, 71));
                const double b = std::fabs(Noise3(ex * 2.3, ey * 2.3, ez * 2.3, 72));
                const double crack = std::fmax(1.0 - SmoothStep(0.0, 0.035, a),
                                               0.7 * (1.0 - SmoothStep(0.0, 0.025, b)));
                colour = Mix(colour, Rgb{1.0, 1.0, 1.0}, crack);
                const Rgb iris = Ramp(irisIce, skin.rays);
                colour = Mix(colour, iris, skin.iris * 0.85);
            }
            // A dark ring round the iris, a bright rim inside it, and the slit of the pupil.
            colour = colour * (1.0 - 0.7 * skin.socket);
            const double rim = skin.iris * (1.0 - skin.iris) * 4.0;
            colour = colour + (frozen ? Rgb{0.6, 0.8, 1.0} : Rgb{1.0, 0.8, 0.3}) * (rim * 0.6);
            colour = Mix(colour, frozen ? Rgb{0.02, 0.05, 0.15} : Rgb{0.05, 0.0, 0.0}, skin.pupil);
            image.At(x, y) = colour;
        }
    }
    return image;
}
