// The model-view and projection matrices: the current one multiplied on the right, as OpenGL
// does, each product's element summed in double from the stored floats and rounded once.
#include <cmath>

#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

static const double kPi = 3.14159265358979323846;

static Matrix& Current()
{
    Gl11State& state = State();
    return state.matrixMode == GL_PROJECTION ? state.projection : state.modelView;
}

static void MultiplyCurrent(const double by[16])
{
    Matrix& current = Current();
    Matrix product;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += (double)current.m[k * 4 + row] * by[column * 4 + k];
            product.m[column * 4 + row] = (float)sum;
        }
    current = product;
}

void Gl11MatrixMode(unsigned mode)
{
    if (Recorded([=] { Gl11MatrixMode(mode); }))
        return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION)
        return SetError(GL_INVALID_ENUM);
    State().matrixMode = mode;
}

void Gl11LoadIdentity()
{
    if (Recorded([] { Gl11LoadIdentity(); }))
        return;
    Current() = Identity();
}

void Gl11Translatef(float x, float y, float z)
{
    if (Recorded([=] { Gl11Translatef(x, y, z); }))
        return;
    const double by[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    MultiplyCurrent(by);
}

void Gl11Scalef(float x, float y, float z)
{
    if (Recorded([=] { Gl11Scalef(x, y, z); }))
        return;
    const double by[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
    MultiplyCurrent(by);
}

// A rotation by angle degrees about the axis (x, y, z), made a unit vector first: OpenGL's
// matrix of the rotation, counter-clockwise looking down the axis towards the origin.
void Gl11Rotatef(float angle, float x, float y, float z)
{
    if (Recorded([=] { Gl11Rotatef(angle, x, y, z); }))
        return;
    double length = std::sqrt((double)x * x + (double)y * y + (double)z * z);
    if (length == 0.0)
        return;
    double u = x / length, v = y / length, w = z / length;
    double radians = (double)angle * kPi / 180.0;
    double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
    const double by[16] = {
        u * u * t + c,     v * u * t + w * s, w * u * t - v * s, 0,
        u * v * t - w * s, v * v * t + c,     w * v * t + u * s, 0,
        u * w * t + v * s, v * w * t - u * s, w * w * t + c,     0,
        0,                 0,                 0,                 1,
    };
    MultiplyCurrent(by);
}

// GLU's perspective: a field of view of fovy degrees upward, the width aspect times the height,
// depth from zNear to zFar mapped to -1..1.
void GluPerspective(double fovy, double aspect, double zNear, double zFar)
{
    if (Recorded([=] { GluPerspective(fovy, aspect, zNear, zFar); }))
        return;
    double radians = fovy / 2 * kPi / 180;
    double deltaZ = zFar - zNear;
    double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0)
        return;
    double cotangent = std::cos(radians) / sine;
    const double by[16] = {
        cotangent / aspect, 0, 0, 0,
        0, cotangent, 0, 0,
        0, 0, -(zFar + zNear) / deltaZ, -1,
        0, 0, -2 * zNear * zFar / deltaZ, 0,
    };
    MultiplyCurrent(by);
}
