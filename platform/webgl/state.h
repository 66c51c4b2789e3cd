// The fixed-function state the layer keeps for OpenGL ES 2.0, which has none of it, and the
// helpers every call shares: errors and recording into a display list.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/webgl/gles.h"

// A 4x4 matrix as OpenGL keeps it, column after column.
struct Matrix {
    float m[16];
};
Matrix Identity();

constexpr int kLights = 8;
struct Light {
    bool enabled;
    float ambient[4];
    float diffuse[4];
    // In eye coordinates: placed through the model-view matrix of the moment it was set.
    float position[4];
};

// What a vertex carries to the drawing program: the current normal, texture coordinates and
// colour of the moment glVertex was called.
struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
    float color[4];
};

// What the drawing needs to know of a texture, which OpenGL ES would not tell: an incomplete
// one is no texture at all in OpenGL 1.1, while OpenGL ES samples it black.
constexpr int kLevels = 16;
struct TextureRecord {
    int width[kLevels] = {};
    int height[kLevels] = {};
    int minFilter = GL_NEAREST_MIPMAP_LINEAR;
};

// An entry of the attribute stack: the groups pushed and what was kept of them.
struct PushedAttributes {
    unsigned mask;
    unsigned listBase;
};

// A call kept in a display list, made again each time the list is called.
using Command = std::function<void()>;

struct Gl11State {
    // The current vertex attributes.
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};

    // Between glBegin and glEnd: the primitive and its vertices so far.
    bool inside = false;
    unsigned primitive = 0;
    std::vector<Vertex> vertices;

    unsigned matrixMode = GL_MODELVIEW;
    Matrix modelView = Identity();
    Matrix projection = Identity();

    bool texturing = false;
    bool lighting = false;
    bool colorMaterial = false;
    // The material's ambient and diffuse colours, which follow the current colour while
    // GL_COLOR_MATERIAL is on and keep the last one when it goes off.
    float materialAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float materialDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    Light lights[kLights] = {};

    // Display lists: the list being compiled (0: none) and its calls so far.
    std::map<unsigned, std::vector<Command>> lists;
    unsigned compiling = 0;
    std::vector<Command> compiled;
    int nesting = 0;
    unsigned listBase = 0;
    std::vector<PushedAttributes> pushed;

    unsigned boundTexture = 0;
    std::map<unsigned, TextureRecord> textures;

    unsigned error = 0;
    // Clearing and drawing reach OpenGL ES (Gl11SetDrawing).
    bool drawing = true;

    // The drawing program and its vertex buffer, made at the first draw.
    unsigned program = 0;
    unsigned buffer = 0;
};

Gl11State& State();
// Notes the first error since the last Gl11GetError, as OpenGL does.
void SetError(unsigned code);

// While a list is compiled, keeps the call instead of making it; true when it was kept.
template <typename Call>
bool Recorded(const Call& call)
{
    Gl11State& state = State();
    if (state.compiling == 0)
        return false;
    state.compiled.emplace_back(call);
    return true;
}

// The drawing, done by draw.cpp: triangles with the state of the moment.
void DrawTriangles(const std::vector<Vertex>& triangles);
void ReleaseDrawing();
// Whether the bound texture has what OpenGL 1.1 needs to texture with it.
bool BoundTextureComplete();
