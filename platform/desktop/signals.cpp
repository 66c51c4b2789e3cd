// SIGTERM, SIGINT and SIGHUP end the game as closing its window does: the main loop finds a
// WM_CLOSE for the window, ends, and the window is torn down as usual. A signal handler cannot
// do that work itself; it only leaves a note, which the next PeekMessageA turns into the
// message. Where no main loop would ever read the note — no game window yet, or a dialog
// waiting for its answer — the process ends at once. Nothing needs restoring then: the desktop
// keeps its own display mode, only the game window changes to fullscreen.
#include <signal.h>
#include <unistd.h>

#include "platform/desktop/desktop.h"

static volatile sig_atomic_t closeRequested = 0;
// A game window exists and the main loop reads its messages (as of the last PeekMessageA).
static volatile sig_atomic_t loopRunning = 0;
static volatile sig_atomic_t dialogUp = 0;

static void OnSignal(int)
{
    // A second signal while the first still waits also ends at once: whatever holds the loop
    // up, the player asked twice.
    if (!loopRunning || dialogUp || closeRequested)
        _exit(0);
    closeRequested = 1;
}

void DesktopCatchSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // Every signal of the three is held off while the handler runs for one of them.
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGHUP);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void DesktopDialogShowing(bool showing)
{
    dialogUp = showing ? 1 : 0;
}

void DesktopTakeSignalClose(HostPost post)
{
    loopRunning = layerWindow ? 1 : 0;
    if (!closeRequested || !layerWindow)
        return;
    closeRequested = 0;
    post(layerWindow, WM_CLOSE, 0, 0);
}

void DesktopResetSignals()
{
    closeRequested = 0;
    loopRunning = 0;
    dialogUp = 0;
}
