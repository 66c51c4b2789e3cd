// The performance counter and the multimedia millisecond clock, read from the host, and
// sleeping, by the millisecond or on a waitable timer. Every reading is counted, so that tests
// can see how often the game looks at the clock.
#include "platform/layer/layer.h"

static long clockReadings = 0;

long LayerClockReadings()
{
    return clockReadings;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    int64_t ticks = 0;
    bool present = layerHost.counterFrequency(&ticks);
    frequency->QuadPart = present ? ticks : 0;
    return present ? TRUE : FALSE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count)
        return FALSE;
    ++clockReadings;
    count->QuadPart = layerHost.counter();
    return TRUE;
}

DWORD WINAPI timeGetTime(void)
{
    ++clockReadings;
    return layerHost.milliseconds();
}

void WINAPI Sleep(DWORD milliseconds)
{
    layerHost.sleep(milliseconds);
}

// A high-resolution timer is had where the host can sleep finer than a millisecond; a plain one
// always. The due time counts from the wait, not from SetWaitableTimer: the layer does not read
// the clock for it, so that a simulated clock moves only where the game reads it (the game sets
// the timer and waits on it at once).
HANDLE WINAPI CreateWaitableTimerExW(LPSECURITY_ATTRIBUTES, LPCWSTR name, DWORD flags, DWORD)
{
    if (name || (flags & ~(CREATE_WAITABLE_TIMER_MANUAL_RESET | CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)))
        return nullptr;
    if ((flags & CREATE_WAITABLE_TIMER_HIGH_RESOLUTION) && !layerHost.fineSleepAvailable())
        return nullptr;
    return LayerNewTimer();
}

// Only a due time from now (negative) is taken: an absolute date, a period or a completion
// routine is refused rather than half done.
BOOL WINAPI SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period,
                             PTIMERAPCROUTINE completion, LPVOID, BOOL)
{
    int64_t* due = LayerTimerDue(timer);
    if (!due || !dueTime || dueTime->QuadPart > 0 || period != 0 || completion)
        return FALSE;
    // Zero is due at once; kept as the shortest wait so that a set timer is told from an unset one.
    *due = dueTime->QuadPart < 0 ? -dueTime->QuadPart : 1;
    return TRUE;
}

// A timer not set would never come due: that is a failure here, not a wait without end. A wait
// shorter than the due time sleeps it out and leaves the rest due.
DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    int64_t* due = LayerTimerDue(object);
    if (!due || *due == 0)
        return WAIT_FAILED;
    int64_t limit = (int64_t)milliseconds * 10000;
    if (milliseconds != INFINITE && limit < *due) {
        layerHost.sleepFine(limit);
        *due -= limit;
        return WAIT_TIMEOUT;
    }
    layerHost.sleepFine(*due);
    *due = 0;
    return WAIT_OBJECT_0;
}

// Sleeps here already end within a fraction of a millisecond of their time: there is no
// system timer to make finer.
MMRESULT WINAPI timeBeginPeriod(UINT)
{
    return TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT)
{
    return TIMERR_NOERROR;
}

void LayerResetClocks()
{
    clockReadings = 0;
}
