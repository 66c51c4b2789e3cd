// glEnable and glDisable: blending and the depth test are OpenGL ES's own, the rest the drawing
// program's.
#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

static void Set(unsigned cap, bool on)
{
    Gl11State& state = State();
    if (cap == GL_BLEND || cap == GL_DEPTH_TEST) {
        (on ? glEnable : glDisable)(cap);
    } else if (cap == GL_TEXTURE_2D) {
        state.texturing = on;
    } else if (cap == GL_LIGHTING) {
        state.lighting = on;
    } else if (cap == GL_COLOR_MATERIAL) {
        // Switched on, the material takes the current colour at once.
        state.colorMaterial = on;
        for (int i = 0; on && i < 4; ++i)
            state.materialAmbient[i] = state.materialDiffuse[i] = state.color[i];
    } else if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kLights) {
        state.lights[cap - GL_LIGHT0].enabled = on;
    } else {
        SetError(GL_INVALID_ENUM);
    }
}

void Gl11Enable(unsigned cap)
{
    if (Recorded([=] { Gl11Enable(cap); }))
        return;
    Set(cap, true);
}

void Gl11Disable(unsigned cap)
{
    if (Recorded([=] { Gl11Disable(cap); }))
        return;
    Set(cap, false);
}
