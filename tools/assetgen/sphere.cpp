#include "tools/assetgen/sphere.h"

#include <cmath>

SpherePoint SphereFromAngles(double longitude, double latitude)
{
    SpherePoint p;
    p.longitude = longitude;
    p.latitude = latitude;
    p.x = std::cos(latitude) * std::cos(longitude);
    p.y = std::cos(latitude) * std::sin(longitude);
    p.z = std::sin(latitude);
    return p;
}

SpherePoint SphereAt(int px, int py, int width, int height)
{
    const double s = (px + 0.5) / width;
    const double t = 1.0 - (py + 0.5) / height;
    return SphereFromAngles(s * 2.0 * kPi, (t - 0.5) * kPi);
}

double SphereAngle(const SpherePoint& a, const SpherePoint& b)
{
    double d = a.x * b.x + a.y * b.y + a.z * b.z;
    d = d > 1.0 ? 1.0 : (d < -1.0 ? -1.0 : d);
    return std::acos(d);
}
