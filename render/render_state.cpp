#include "render/render_state.h"

#include "platform/platform.h"
#include "render/outline_font.h"
#include "render/scene_lists.h"
#include "render/textures.h"

const float light2Ambient[4] = {0.7f, 0.6f, 0.6f, 1.0f};
const float light1Diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float light1Position[4] = {0.0f, 1.0f, 0.0f, 1.0f};

void ResizeViewport(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, (double)width / (double)height, (double)0.1f, 150.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

int InitRenderState(HDC dc)
{
    if (!LoadTextures())
        return 0;
    BuildDisplayLists();
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glLightfv(GL_LIGHT2, GL_AMBIENT, light2Ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
    // The model-view matrix is the identity here, so light 1 sits one unit above the eye and,
    // never placed again, moves with the view.
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    BuildOutlineFont(dc);
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    // Additive blending wherever the scene enables blending for glowing things.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    return 1;
}
