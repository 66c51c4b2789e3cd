// The calls OpenGL ES makes as OpenGL 1.1 does (blending, depth, clearing, the viewport), kept
// in display lists as OpenGL keeps them, and the queries, which never are.
#include "platform/webgl/gl11.h"
#include "platform/webgl/draw_cache.h"
#include "platform/webgl/state.h"

void Gl11BlendFunc(unsigned sfactor, unsigned dfactor)
{
    if (!Recorded([=] { Gl11BlendFunc(sfactor, dfactor); }))
        glBlendFunc(sfactor, dfactor);
}

void Gl11DepthFunc(unsigned func)
{
    if (!Recorded([=] { Gl11DepthFunc(func); }))
        glDepthFunc(func);
}

void Gl11Clear(unsigned mask)
{
    if (Recorded([=] { Gl11Clear(mask); }))
        return;
    CacheNextFrame();
    if (State().drawing)
        glClear(mask);
}

void Gl11ClearColor(float red, float green, float blue, float alpha)
{
    if (!Recorded([=] { Gl11ClearColor(red, green, blue, alpha); }))
        glClearColor(red, green, blue, alpha);
}

void Gl11ClearDepth(double depth)
{
    if (!Recorded([=] { Gl11ClearDepth(depth); }))
        glClearDepthf((float)depth);
}

void Gl11Viewport(int x, int y, int width, int height)
{
    if (!Recorded([=] { Gl11Viewport(x, y, width, height); }))
        glViewport(x, y, width, height);
}

// Perspective-correct interpolation is all OpenGL ES does, the game's "nicest".
void Gl11Hint(unsigned target, unsigned mode)
{
    if (Recorded([=] { Gl11Hint(target, mode); }))
        return;
    if (target != GL_PERSPECTIVE_CORRECTION_HINT)
        SetError(GL_INVALID_ENUM);
    (void)mode;
}

void Gl11Flush()
{
    glFlush();
}

const unsigned char* Gl11GetString(unsigned name)
{
    return glGetString(name);
}

void Gl11GetIntegerv(unsigned pname, int* params)
{
    glGetIntegerv(pname, params);
}

void Gl11GetBooleanv(unsigned pname, unsigned char* params)
{
    if (pname == GL_DOUBLEBUFFER)
        *params = GL_TRUE;
    else
        glGetBooleanv(pname, params);
}
