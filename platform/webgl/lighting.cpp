// The lights: their ambient and diffuse colours and their positions, placed in eye coordinates
// through the model-view matrix of the moment, as OpenGL places them.
#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

void Gl11Lightfv(unsigned light, unsigned pname, const float* params)
{
    const float p[4] = {params[0], params[1], params[2], params[3]};
    if (Recorded([=] { Gl11Lightfv(light, pname, p); }))
        return;
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kLights)
        return SetError(GL_INVALID_ENUM);
    Gl11State& state = State();
    Light& lit = state.lights[light - GL_LIGHT0];
    if (pname == GL_AMBIENT || pname == GL_DIFFUSE) {
        float* color = pname == GL_AMBIENT ? lit.ambient : lit.diffuse;
        for (int i = 0; i < 4; ++i)
            color[i] = p[i];
    } else if (pname == GL_POSITION) {
        const float* m = state.modelView.m;
        for (int row = 0; row < 4; ++row)
            lit.position[row] = (float)((double)m[row] * p[0] + (double)m[4 + row] * p[1] +
                                        (double)m[8 + row] * p[2] + (double)m[12 + row] * p[3]);
    } else {
        SetError(GL_INVALID_ENUM);
    }
}

// Smooth shading only: the game never asks for flat.
void Gl11ShadeModel(unsigned mode)
{
    if (Recorded([=] { Gl11ShadeModel(mode); }))
        return;
    if (mode != GL_SMOOTH)
        SetError(GL_INVALID_ENUM);
}
