// The video subsystem on a player's desktop. With no display, SDL would come up on its offscreen
// or dummy driver, and the game would run where nobody can see it. Unless the player names a
// driver in SDL_VIDEODRIVER, SDL's drivers are tried in SDL's own order without those that show
// nothing; when none comes up there is no window to be had, and the game says so.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/desktop/desktop.h"

// "evdev" is the dummy driver again, with keyboard input read from the console.
bool DesktopVideoShowsNothing(const char* driver)
{
    return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "evdev") == 0;
}

// Once every driver has failed they are not tried again: each try costs time, and some
// libraries complain on stderr at every try.
static bool noDisplay = false;

static bool Seen(const char* driver)
{
    return !DesktopVideoShowsNothing(driver);
}

// Whether DISPLAY names a server on this machine whose socket is there: an X server that
// resets when its last client leaves (a kiosk's, xinit's) refuses connections for a moment
// while it starts afresh, and one just started may not listen yet.
static bool LocalXServerThere()
{
    const char* display = std::getenv("DISPLAY");
    if (!display)
        return false;
    std::string name = display;
    if (name.compare(0, 5, "unix:") == 0)
        name = name.substr(4);
    if (name.size() < 2 || name[0] != ':' || !std::isdigit((unsigned char)name[1]))
        return false;
    std::string number = name.substr(1, name.find('.') == std::string::npos ? std::string::npos
                                                                            : name.find('.') - 1);
    struct stat status;
    return stat(("/tmp/.X11-unix/X" + number).c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// How long a local X server that is there but refuses is given to take the game.
static const int xServerTries = 30;
static const useconds_t xServerPause = 100000;

bool DesktopInitVideo()
{
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    bool named = chosen && *chosen;
    if (noDisplay && !named)
        return false;
    std::string reasons;
    bool up = SdlVideoStartDriver(Seen, reasons);
    for (int i = 1; i < xServerTries && !up && LocalXServerThere(); ++i) {
        usleep(xServerPause);
        reasons.clear();
        up = SdlVideoStartDriver(Seen, reasons);
    }
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
