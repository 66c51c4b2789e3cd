// Immediate mode: the vertices between glBegin and glEnd are collected with the current normal,
// texture coordinates and colour, and drawn at glEnd as triangles.
#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

void Gl11Begin(unsigned mode)
{
    if (Recorded([=] { Gl11Begin(mode); }))
        return;
    Gl11State& state = State();
    if (state.inside)
        return SetError(GL_INVALID_OPERATION);
    if (mode != GL_TRIANGLES && mode != GL_QUADS && mode != GL_QUAD_STRIP)
        return SetError(GL_INVALID_ENUM);
    state.inside = true;
    state.primitive = mode;
    state.vertices.clear();
}

// A quad as two triangles that share the diagonal from its first vertex to its third, as Mesa
// splits it: the split shows where a quad's texture coordinates are not a plane's, as at a
// sphere's poles, where two corners of each quad are the same point.
static void AddQuad(std::vector<Vertex>& triangles, const Vertex& a, const Vertex& b,
                    const Vertex& c, const Vertex& d)
{
    triangles.insert(triangles.end(), {a, b, c, a, c, d});
}

void Gl11End()
{
    if (Recorded([] { Gl11End(); }))
        return;
    Gl11State& state = State();
    if (!state.inside)
        return SetError(GL_INVALID_OPERATION);
    state.inside = false;
    if (!state.drawing)
        return;
    const std::vector<Vertex>& v = state.vertices;
    // An incomplete primitive at the end is dropped, as OpenGL drops it.
    std::vector<Vertex> triangles;
    if (state.primitive == GL_TRIANGLES) {
        triangles.assign(v.begin(), v.begin() + v.size() / 3 * 3);
    } else if (state.primitive == GL_QUADS) {
        for (size_t i = 0; i + 3 < v.size(); i += 4)
            AddQuad(triangles, v[i], v[i + 1], v[i + 2], v[i + 3]);
    } else {
        // Quad i of a strip has the vertices 2i, 2i+1, 2i+3, 2i+2 in turn round its edge.
        for (size_t i = 0; i + 3 < v.size(); i += 2)
            AddQuad(triangles, v[i], v[i + 1], v[i + 3], v[i + 2]);
    }
    if (!triangles.empty())
        DrawTriangles(triangles);
}

void Gl11Vertex3f(float x, float y, float z)
{
    if (Recorded([=] { Gl11Vertex3f(x, y, z); }))
        return;
    Gl11State& state = State();
    if (!state.inside)
        return;  // outside glBegin and glEnd a vertex does nothing
    const float* n = state.normal;
    const float* t = state.texCoord;
    const float* c = state.color;
    state.vertices.push_back(Vertex{{x, y, z}, {n[0], n[1], n[2]}, {t[0], t[1]}, {c[0], c[1], c[2], c[3]}});
}

void Gl11Vertex3fv(const float* v)
{
    Gl11Vertex3f(v[0], v[1], v[2]);
}

void Gl11Normal3f(float x, float y, float z)
{
    if (Recorded([=] { Gl11Normal3f(x, y, z); }))
        return;
    float* n = State().normal;
    n[0] = x, n[1] = y, n[2] = z;
}

void Gl11Normal3fv(const float* v)
{
    Gl11Normal3f(v[0], v[1], v[2]);
}

void Gl11TexCoord2f(float s, float t)
{
    if (Recorded([=] { Gl11TexCoord2f(s, t); }))
        return;
    float* coords = State().texCoord;
    coords[0] = s, coords[1] = t;
}

void Gl11TexCoord2fv(const float* v)
{
    Gl11TexCoord2f(v[0], v[1]);
}

// The colour as given; it is clamped to 0..1 after lighting, as OpenGL does.
void Gl11Color4f(float red, float green, float blue, float alpha)
{
    if (Recorded([=] { Gl11Color4f(red, green, blue, alpha); }))
        return;
    Gl11State& state = State();
    const float color[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i) {
        state.color[i] = color[i];
        if (state.colorMaterial)
            state.materialAmbient[i] = state.materialDiffuse[i] = color[i];
    }
}

void Gl11Color3f(float red, float green, float blue)
{
    Gl11Color4f(red, green, blue, 1.0f);
}
