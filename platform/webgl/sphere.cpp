// GLU's quadric spheres, as the game draws them: smooth normals, texture coordinates, filled,
// the normals pointing outwards. The sphere is made as GLU makes it, its vertices, normals and
// texture coordinates in the same order (which sets how its quads are split into triangles) and
// from float tables of sines and cosines as GLU's: the z axis through the poles, one quad strip a stack from the +z pole down, the slices
// starting at +y and turning towards +x, s running from 1 down to 0 round the slices and t
// from 0 at the -z pole to 1 at the +z pole.
#include <cmath>

#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

struct Gl11Quadric {
    unsigned normals = GLU_SMOOTH;
    bool textureCoords = false;
};

Gl11Quadric* GluNewQuadric()
{
    return new Gl11Quadric;
}

void GluDeleteQuadric(Gl11Quadric* quadric)
{
    delete quadric;
}

void GluQuadricNormals(Gl11Quadric* quadric, unsigned normals)
{
    quadric->normals = normals;
}

void GluQuadricTexture(Gl11Quadric* quadric, unsigned char textureCoords)
{
    quadric->textureCoords = textureCoords != 0;
}

// GLU's limit on slices and stacks.
static const int kCacheSize = 240;
static const double kPi = 3.14159265358979323846;

void GluSphere(Gl11Quadric* quadric, double radius, int slices, int stacks)
{
    // Without texture coordinates GLU closes the poles with triangle fans, and with other
    // normals it makes them otherwise: neither is drawn here, as the game uses neither.
    if (quadric->normals != GLU_SMOOTH || !quadric->textureCoords)
        return SetError(GL_INVALID_ENUM);
    if (slices >= kCacheSize)
        slices = kCacheSize - 1;
    if (stacks >= kCacheSize)
        stacks = kCacheSize - 1;
    if (slices < 2 || stacks < 1 || radius < 0.0)
        return;

    // Round the slices (a) and down the stacks (b): the points' sines and cosines (1) and the
    // normals' (2). The stacks' points are the radius times them, and both poles come to a point.
    float sin1a[kCacheSize], cos1a[kCacheSize], sin2b[kCacheSize], cos2b[kCacheSize];
    float sin1b[kCacheSize], cos1b[kCacheSize];
    for (int i = 0; i < slices; ++i) {
        float angle = (float)(2 * kPi * i / slices);
        sin1a[i] = (float)std::sin((double)angle);
        cos1a[i] = (float)std::cos((double)angle);
    }
    for (int j = 0; j <= stacks; ++j) {
        float angle = (float)(kPi * j / stacks);
        sin2b[j] = (float)std::sin((double)angle);
        cos2b[j] = (float)std::cos((double)angle);
        sin1b[j] = (float)(radius * std::sin((double)angle));
        cos1b[j] = (float)(radius * std::cos((double)angle));
    }
    sin1b[0] = 0.0f;
    sin1b[stacks] = 0.0f;
    sin1a[slices] = sin1a[0];
    cos1a[slices] = cos1a[0];

    for (int j = 0; j < stacks; ++j) {
        Gl11Begin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            // The point on stack j + 1, then the one on stack j.
            float s = 1 - (float)i / slices;
            for (int k = j + 1; k >= j; --k) {
                Gl11Normal3f(sin1a[i] * sin2b[k], cos1a[i] * sin2b[k], cos2b[k]);
                Gl11TexCoord2f(s, 1 - (float)k / stacks);
                Gl11Vertex3f(sin1b[k] * sin1a[i], sin1b[k] * cos1a[i], cos1b[k]);
            }
        }
        Gl11End();
    }
}
