// The start of the real game on a player's desktop. The replay driver and the tests run the same
// layer on a simulated machine and never come here, so what is done here is only for a player:
// the video subsystem comes up on a real display or not at all, the terminal's signals close
// the game as closing its window does, and ALSA keeps its complaints to itself.
#include "platform/desktop/desktop.h"

static bool onDesktop = false;

void DesktopStart()
{
    onDesktop = true;
    // Our handlers are in place before SDL starts, and SDL is told to leave them alone.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    DesktopCatchSignals();
    DesktopQuietAlsa();
}

bool DesktopStarted()
{
    return onDesktop;
}
