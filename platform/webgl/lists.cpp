// Display lists: each compiled as the calls it holds, made again in turn when it is called. A
// list that calls another names it, and the other's calls of the moment are made (the outline
// font's text calls one list a letter, by byte, from a base).
#include <string>

#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

// OpenGL's least nesting depth: a list calling itself stops there.
static const int kMaxNesting = 64;

unsigned Gl11GenLists(int range)
{
    if (range < 0)
        SetError(GL_INVALID_VALUE);
    if (range <= 0)
        return 0;
    // The first run of range unused names: past every list that lies in the run tried so far.
    Gl11State& state = State();
    unsigned first = 1;
    for (const auto& list : state.lists)
        if (list.first >= first && list.first < first + (unsigned)range)
            first = list.first + 1;
    for (unsigned i = 0; i < (unsigned)range; ++i)
        state.lists[first + i];
    return first;
}

void Gl11DeleteLists(unsigned list, int range)
{
    if (range < 0)
        return SetError(GL_INVALID_VALUE);
    Gl11State& state = State();
    state.lists.erase(state.lists.lower_bound(list), state.lists.lower_bound(list + (unsigned)range));
}

// Only GL_COMPILE: the game never runs a list as it compiles it.
void Gl11NewList(unsigned list, unsigned mode)
{
    Gl11State& state = State();
    if (list == 0)
        return SetError(GL_INVALID_VALUE);
    if (mode != GL_COMPILE)
        return SetError(GL_INVALID_ENUM);
    if (state.compiling != 0 || state.inside)
        return SetError(GL_INVALID_OPERATION);
    state.compiling = list;
    state.compiled.clear();
}

void Gl11EndList()
{
    Gl11State& state = State();
    if (state.compiling == 0)
        return SetError(GL_INVALID_OPERATION);
    state.lists[state.compiling] = std::move(state.compiled);
    state.compiled.clear();
    state.compiling = 0;
}

static void Execute(unsigned list)
{
    Gl11State& state = State();
    auto found = state.lists.find(list);
    if (found == state.lists.end() || state.nesting >= kMaxNesting)
        return;
    ++state.nesting;
    for (const Command& command : found->second)
        command();
    --state.nesting;
}

void Gl11CallList(unsigned list)
{
    if (Recorded([=] { Gl11CallList(list); }))
        return;
    Execute(list);
}

// Names as unsigned bytes, each added to the list base of the moment of the call.
void Gl11CallLists(int n, unsigned type, const void* lists)
{
    if (type != GL_UNSIGNED_BYTE)
        return SetError(GL_INVALID_ENUM);
    if (n < 0)
        return SetError(GL_INVALID_VALUE);
    const unsigned char* names = static_cast<const unsigned char*>(lists);
    if (State().compiling != 0) {
        std::string kept(names, names + n);
        Recorded([=] { Gl11CallLists(n, type, kept.data()); });
        return;
    }
    for (int i = 0; i < n; ++i)
        Execute(State().listBase + names[i]);
}

void Gl11ListBase(unsigned base)
{
    if (Recorded([=] { Gl11ListBase(base); }))
        return;
    State().listBase = base;
}
