// The video subsystem on a player's desktop. With no display, SDL would come up on its offscreen
// or dummy driver, and the game would run where nobody can see it. Unless the player names a
// driver in SDL_VIDEODRIVER, SDL's drivers are tried in SDL's own order without those that show
// nothing; when none comes up there is no window to be had, and the game says so.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/desktop/desktop.h"

// "evdev" is the dummy driver again, with keyboard input read from the console.
bool LayerVideoShowsNothing(const char* driver)
{
    return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "evdev") == 0;
}

// Once every driver has failed they are not tried again: each try costs time, and some
// libraries complain on stderr at every try.
static bool noDisplay = false;

bool DesktopInitVideo()
{
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen && *chosen)
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (noDisplay)
        return false;
    std::string reasons;
    bool up = false;
    for (int i = 0; i < SDL_GetNumVideoDrivers() && !up; ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || LayerVideoShowsNothing(driver))
            continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        up = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!up)
            reasons += std::string(reasons.empty() ? "" : "; ") + driver + ": " + SDL_GetError();
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (!up) {
        noDisplay = true;
        std::fprintf(stderr, "Тримвальд: no display to show the game on (%s)\n", reasons.c_str());
    }
    return up;
}

void DesktopResetVideo()
{
    noDisplay = false;
}
