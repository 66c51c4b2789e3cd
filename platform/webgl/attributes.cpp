// The attribute stack, for the one group the game saves: GL_LIST_BIT, the list base, around its
// text.
#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

// OpenGL's least depth of the attribute stack.
static const size_t kMaxDepth = 16;

void Gl11PushAttrib(unsigned mask)
{
    if (Recorded([=] { Gl11PushAttrib(mask); }))
        return;
    Gl11State& state = State();
    if (state.pushed.size() == kMaxDepth)
        return SetError(GL_STACK_OVERFLOW);
    // Any other group is pushed as nothing, and said so.
    if (mask & ~GL_LIST_BIT)
        SetError(GL_INVALID_ENUM);
    state.pushed.push_back(PushedAttributes{mask, state.listBase});
}

void Gl11PopAttrib()
{
    if (Recorded([] { Gl11PopAttrib(); }))
        return;
    Gl11State& state = State();
    if (state.pushed.empty())
        return SetError(GL_STACK_UNDERFLOW);
    if (state.pushed.back().mask & GL_LIST_BIT)
        state.listBase = state.pushed.back().listBase;
    state.pushed.pop_back();
}
