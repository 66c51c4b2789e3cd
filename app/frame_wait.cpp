#include "app/frame_wait.h"

#include "app/frame_timer.h"
#include "platform/platform.h"

// Before anything has been seen: more than a sleep lasts with a millisecond system timer.
static const double firstSleepCost = 2.0;
// Sleep(1) lasts at least its millisecond.
static const double leastSleepCost = 1.0;
// A sleep that lasted less than the cost pulls it down by this share of the difference, so the
// cost follows the longest sleeps of the last few frames; a longer one raises it at once.
static const double costFollows = 0.02;
// In frames too short for a sleep nothing is learnt; the cost creeps down so that after a spell
// of slow sleeps (a busy machine, a coarse timer) the wait tries again, a few seconds later.
static const double costCreeps = 0.999;

double sleepCost = firstSleepCost;

void ResetFrameWait()
{
    sleepCost = firstSleepCost;
}

void WaitForFrameEnd(double bound)
{
    bool slept = false;
    double now = (double)TimerNowMs();
    while (!(bound <= now)) {
        if (bound - now <= sleepCost) {
            now = (double)TimerNowMs();
            continue;
        }
        Sleep(1);
        double after = (double)TimerNowMs();
        double lasted = after - now;
        if (lasted > sleepCost)
            sleepCost = lasted;
        else
            sleepCost += (lasted - sleepCost) * costFollows;
        now = after;
        slept = true;
    }
    if (!slept)
        sleepCost *= costCreeps;
    if (sleepCost < leastSleepCost)
        sleepCost = leastSleepCost;
}
