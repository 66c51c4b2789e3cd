// The performance counter and the multimedia millisecond clock, read from the host, and
// sleeping. Every reading is counted, so that tests can see how often the game looks at the
// clock.
#include "platform/winapi/layer.h"

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
