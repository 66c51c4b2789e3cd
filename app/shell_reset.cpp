#include "app/shell_reset.h"

#include <cstring>

#include "app/frame_timer.h"
#include "app/frame_wait.h"
#include "app/game_main.h"
#include "app/game_window.h"

void ResetShell()
{
    appInstance = NULL;
    mainWindow = NULL;
    windowDC = NULL;
    glContext = NULL;
    fullscreen = 1;
    appActive = 1;
    std::memset(keys, 0, sizeof keys);
    pixelFormat.cColorBits = 16;  // OpenGameWindow fills in the depth it is asked for
    std::memset(&FrameTimer, 0, sizeof FrameTimer);
    frameDelay = 5;
    ResetFrameWait();
}
