#include "platform/webgl/state.h"

#include "platform/webgl/gl11.h"

Matrix Identity()
{
    return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

// A new context: OpenGL's initial values that differ from the members' own, the lights'.
static Gl11State NewState()
{
    Gl11State state;
    for (int i = 0; i < kLights; ++i) {
        // Light 0 alone shines white by default; every light starts as a direction along +z.
        float diffuse = i == 0 ? 1.0f : 0.0f;
        state.lights[i] = Light{false, {0, 0, 0, 1}, {diffuse, diffuse, diffuse, 1}, {0, 0, 1, 0}};
    }
    return state;
}

Gl11State& State()
{
    static Gl11State state = NewState();
    return state;
}

void SetError(unsigned code)
{
    if (State().error == 0)
        State().error = code;
}

unsigned Gl11GetError()
{
    unsigned error = State().error;
    State().error = 0;
    return error;
}

void Gl11Reset()
{
    ReleaseDrawing();
    State() = NewState();
}

void Gl11SetDrawing(bool on)
{
    State().drawing = on;
}
