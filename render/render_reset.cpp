#include "render/render_reset.h"

#include "platform/platform.h"
#include "render/renderer_state.h"

RendererState renderer;

void ResetRenderNames()
{
    // A quadric is the library's own record, not an object of the context: it can go any time.
    GLUquadric* quadrics[] = {renderer.skyQuadric, renderer.projectileQuadric, renderer.enemyQuadric,
                              renderer.pickupQuadric};
    for (GLUquadric* quadric : quadrics)
        if (quadric)
            gluDeleteQuadric(quadric);
    renderer = RendererState();
}
