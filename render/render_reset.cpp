#include "render/render_reset.h"

#include <cstring>

#include "platform/platform.h"
#include "render/outline_font.h"
#include "render/scene_lists.h"
#include "render/textures.h"

static void FreeQuadric(GLUquadric*& quadric)
{
    // A quadric is the library's own record, not an object of the context: it can go any time.
    if (quadric)
        gluDeleteQuadric(quadric);
    quadric = nullptr;
}

void ResetRenderNames()
{
    std::memset(textures, 0, sizeof textures);
    listBase = arenaList = projectileList = enemyList = pickupList = 0;
    FreeQuadric(skyQuadric);
    FreeQuadric(projectileQuadric);
    FreeQuadric(enemyQuadric);
    FreeQuadric(pickupQuadric);
    fontBase = 0;
}
