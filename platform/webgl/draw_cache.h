// Geometry drawn again and again, kept in buffers of its own (draw_cache.cpp).
#pragma once

#include <vector>

#include "platform/webgl/state.h"

// A draw's triangles as kept: the distinct vertices once each, and the triangles as indices.
struct CachedDraw {
    unsigned vertexBuffer = 0;
    unsigned indexBuffer = 0;
    int indices = 0;
};

// The buffers that hold exactly these triangles, when they are kept or worth keeping now;
// nullptr when they are to be sent as they are.
const CachedDraw* CachedTriangles(const std::vector<Vertex>& triangles);
// A frame starts (the game clears the window once a frame): what has not been drawn for a while
// is let go.
void CacheNextFrame();
// Forgets every buffer (the context is going).
void ReleaseCache();
// Changes whenever the cache binds or deletes a vertex buffer: the attributes' place must then
// be set again.
unsigned CacheBindings();
