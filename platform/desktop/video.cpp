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

static bool Seen(const char* driver)
{
    return !LayerVideoShowsNothing(driver);
}

bool DesktopInitVideo()
{
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    bool named = chosen && *chosen;
    if (noDisplay && !named)
        return false;
    std::string reasons;
    bool up = LayerStartVideoDriver(Seen, reasons);
    if (!up && !named) {
        noDisplay = true;
        std::fprintf(stderr, "Тримвальд: no display to show the game on (%s)\n", reasons.c_str());
    }
    return up;
}

void DesktopResetVideo()
{
    noDisplay = false;
}
