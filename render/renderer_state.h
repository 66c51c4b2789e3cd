// The renderer's state in one process-wide record: the names it made in the window's OpenGL
// context and the quadrics it draws spheres with. All zero at program start; ResetRenderNames
// frees the quadrics and puts the whole record back by value, so a new variable of the renderer
// belongs here. The code keeps its names for the members (textures, listBase, fontBase, ...),
// bound to them in the files that own them.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "render/textures.h"

struct RendererState {
    uint32_t textures[textureCount] = {};  // render/textures.h

    // The scenery (render/scene_lists.h).
    uint32_t listBase = 0;
    uint32_t arenaList = 0;
    uint32_t projectileList = 0;
    uint32_t enemyList = 0;
    uint32_t pickupList = 0;
    GLUquadric* skyQuadric = nullptr;
    GLUquadric* projectileQuadric = nullptr;
    GLUquadric* enemyQuadric = nullptr;
    GLUquadric* pickupQuadric = nullptr;

    uint32_t fontBase = 0;  // render/outline_font.h
};

extern RendererState renderer;
