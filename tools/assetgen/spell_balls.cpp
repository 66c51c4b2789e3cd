#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// The spell balls (and the pickups that wear them) are spheres drawn additively. Each is a
// swirl worked out on the sphere: the surface is twisted about its axis by an amount that
// grows towards the poles and stirred by noise, and streaks follow the twisted flow.
namespace {

struct SwirlParams {
    uint32_t seed;
    double twist;      // radians of turn from equator to pole
    double streaks;    // streaks round the ball
    double stir;       // how strongly noise bends the streaks
    double roughness;  // weight of the fine noise against the streaks
};

// 0..1 over the ball.
double Swirl(const SpherePoint& p, const SwirlParams& params)
{
    // Twist about the axis through the poles.
    const double turn = params.twist * p.z;
    const double c = std::cos(turn), s = std::sin(turn);
    const double tx = p.x * c - p.y * s;
    const double ty = p.x * s + p.y * c;
    const double tz = p.z;
    // Stir.
    const double wx = Fbm3(tx * 1.8, ty * 1.8, tz * 1.8, 3, params.seed);
    const double wy = Fbm3(tx * 1.8 + 7.0, ty * 1.8, tz * 1.8, 3, params.seed + 1);
    const double angle = std::atan2(ty + 0.3 * wy, tx + 0.3 * wx);
    const double flow = std::sin(params.streaks * angle + params.stir * 6.0 * wx + tz * 3.0);
    const double detail = Fbm3(tx * 4.0, ty * 4.0, tz * 4.0, 5, params.seed + 2);
    return Clamp01(0.5 + 0.35 * flow * (1.0 - params.roughness) + 0.6 * detail * params.roughness +
                   0.15 * detail);
}

Image Paint(const SwirlParams& params, const RampStop* stops, int count)
{
    const int size = 256;
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.At(x, y) = Ramp(stops, count, Swirl(SphereAt(x, y, size, size), params));
    return image;
}

}  // namespace

Image MakeMurkBall()
{
    const SwirlParams params{3301, 2.6, 3.0, 0.5, 0.45};
    const RampStop stops[] = {{0.0, {0.01, 0.04, 0.01}},
                              {0.35, {0.06, 0.16, 0.04}},
                              {0.55, {0.18, 0.3, 0.07}},
                              {0.75, {0.38, 0.5, 0.12}},
                              {0.9, {0.6, 0.68, 0.2}},
                              {1.0, {0.75, 0.8, 0.35}}};
    return Paint(params, stops, 6);
}

Image MakeIceBall()
{
    const SwirlParams params{2201, 3.2, 4.0, 0.35, 0.3};
    const RampStop stops[] = {{0.0, {0.02, 0.06, 0.2}},
                              {0.3, {0.08, 0.22, 0.5}},
                              {0.55, {0.25, 0.55, 0.85}},
                              {0.8, {0.6, 0.85, 1.0}},
                              {1.0, {0.95, 1.0, 1.0}}};
    return Paint(params, stops, 5);
}

Image MakeFireBall()
{
    // Fire boils rather than streams: bright tongues where stirred noise folds over itself,
    // on a deep orange body, with the same gentle twist as the other balls.
    const int size = 256;
    Image image(size, size);
    const RampStop stops[] = {{0.0, {0.35, 0.04, 0.0}},
                              {0.3, {0.8, 0.2, 0.0}},
                              {0.55, {1.0, 0.47, 0.03}},
                              {0.8, {1.0, 0.78, 0.2}},
                              {1.0, {1.0, 0.97, 0.65}}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const SpherePoint p = SphereAt(x, y, size, size);
            const double turn = 1.5 * p.z;
            const double c = std::cos(turn), s = std::sin(turn);
            const double tx = p.x * c - p.y * s, ty = p.x * s + p.y * c, tz = p.z;
            const double wx = Fbm3(tx * 2.0, ty * 2.0, tz * 2.0, 3, 4401);
            const double wy = Fbm3(tx * 2.0 + 5.0, ty * 2.0, tz * 2.0, 3, 4402);
            const double wz = Fbm3(tx * 2.0, ty * 2.0 + 5.0, tz * 2.0, 3, 4403);
            const double qx = tx + 0.5 * wx, qy = ty + 0.5 * wy, qz = tz + 0.5 * wz;
            const double ridge = 1.0 - std::fabs(Fbm3(qx * 3.0, qy * 3.0, qz * 3.0, 5, 4404));
            const double body = 0.5 + 0.5 * Fbm3(qx * 1.5, qy * 1.5, qz * 1.5, 3, 4405);
            const double heat = Clamp01(0.02 + 0.65 * std::pow(ridge, 5.0) + 0.4 * body);
            image.At(x, y) = Ramp(stops, heat);
        }
    }
    return image;
}
