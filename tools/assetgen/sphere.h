#pragma once

// Where a texel lands on a GLU sphere: s runs once round the equator, t from the pole at t = 0
// to the pole at t = 1 (the bottom row of the picture is t = 0).
struct SpherePoint {
    double x, y, z;      // on the unit sphere
    double longitude;    // radians, 0 .. 2 pi with s
    double latitude;     // radians, -pi/2 .. pi/2 with t
};
SpherePoint SphereAt(int px, int py, int width, int height);

// Angle in radians between two points of the unit sphere.
double SphereAngle(const SpherePoint& a, const SpherePoint& b);
SpherePoint SphereFromAngles(double longitude, double latitude);

constexpr double kPi = 3.141592653589793;
