#include "tools/replay/interrupts.h"

#include <signal.h>
#include <unistd.h>

#include <initializer_list>

static volatile sig_atomic_t caught = 0;

static void Caught(int signal)
{
    caught = signal;
}

void CatchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = Caught;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART needed: the driver blocks nowhere once the script is read. A signal that
    // whoever started the driver ignores (a shell's background job, nohup) stays ignored.
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction before;
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

void EndIfInterrupted(FILE* out, int framesCompleted)
{
    int signal = caught;
    if (!signal)
        return;
    std::fflush(out);
    std::fprintf(stderr, "trimvald-replay: %s after %d frames\n",
                 signal == SIGINT ? "interrupted (SIGINT)" : "terminated (SIGTERM)", framesCompleted);
    // Nothing of the game's teardown is worth waiting for: the run's output is all there is.
    _exit(128 + signal);
}
