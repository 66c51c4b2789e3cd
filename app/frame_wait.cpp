#include "app/frame_wait.h"

#include "app/frame_timer.h"
#include "app/shell_state.h"
#include "platform/platform.h"

// A sleep that overshot less than the estimate pulls it down by this share of the difference,
// so the estimate follows the longest overshoots of the last few frames; a longer one raises it
// at once. The timer sleeps once a frame where millisecond sleeps come eight or nine times, so
// its share is larger.
static const double overshootFollows = 0.02;
static const double timerOvershootFollows = 0.15;
// In frames too short for a sleep nothing is learnt; the estimate creeps down so that after a
// spell of slow sleeps (a busy machine, a coarse timer) the wait tries again, a few seconds
// later.
static const double overshootCreeps = 0.999;
// A timer's sleep shorter than this is not worth its system call: the rest is read out.
static const double shortestTimerSleep = 0.05;

// The wait's state is the shell's (app/shell_state.h), where it starts.
double& sleepOvershoot = shell.sleepOvershoot;
static bool& overshootSeen = shell.overshootSeen;
static HANDLE& waitTimer = shell.waitTimer;

void StartFrameWait()
{
    waitTimer = CreateWaitableTimerExW(NULL, NULL, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                       TIMER_ALL_ACCESS);
    if (!waitTimer)
        timeBeginPeriod(1);
}

void EndFrameWait()
{
    if (waitTimer)
        CloseHandle(waitTimer);
    else
        timeEndPeriod(1);
    waitTimer = NULL;
}

// Sleeps for about `milliseconds` on the timer. A timer that fails is given up for the rest of
// the run, and the wait sleeps by the millisecond from then on.
static void TimerSleep(double milliseconds)
{
    LARGE_INTEGER due;
    due.QuadPart = -(LONGLONG)(milliseconds * 10000.0);
    if (SetWaitableTimer(waitTimer, &due, 0, NULL, NULL, FALSE) &&
        WaitForSingleObject(waitTimer, INFINITE) == WAIT_OBJECT_0)
        return;
    CloseHandle(waitTimer);
    waitTimer = NULL;
    timeBeginPeriod(1);
}

void WaitForFrameEnd(double bound)
{
    bool slept = false;
    double now = (double)TimerNowMs();
    while (!(bound <= now)) {
        double left = bound - now;
        // On the timer: all that is left but the overshoot. Else one millisecond, while it and
        // its overshoot fit.
        double asked = waitTimer ? left - sleepOvershoot : 1.0;
        bool fits = waitTimer ? asked >= shortestTimerSleep : left > asked + sleepOvershoot;
        if (!fits) {
            now = (double)TimerNowMs();
            continue;
        }
        if (waitTimer)
            TimerSleep(asked);
        else
            Sleep(1);
        double after = (double)TimerNowMs();
        double overshot = after - now - asked;
        if (!overshootSeen || overshot > sleepOvershoot)
            sleepOvershoot = overshot;
        else
            sleepOvershoot += (overshot - sleepOvershoot) *
                              (waitTimer ? timerOvershootFollows : overshootFollows);
        now = after;
        slept = true;
        overshootSeen = true;
    }
    if (!slept)
        sleepOvershoot *= overshootCreeps;
    if (sleepOvershoot < 0.0)
        sleepOvershoot = 0.0;
}
