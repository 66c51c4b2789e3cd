#include "game/draw_frame.h"

#include "platform/platform.h"

int DrawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    return 1;
}
