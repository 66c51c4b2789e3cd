// The performance counter and the multimedia millisecond clock. Under automation both are
// simulated: every reading is 10 ms after the one before, so a frame's busy-wait ends at once.
#include "platform/layer.h"

static const int64_t simulatedFrequency = 1000000;
static const int64_t simulatedStep = 10000;  // 10 ms of the simulated counter
static int64_t simulatedCounter = 0;
static DWORD simulatedMilliseconds = 0;
static bool performanceCounterAvailable = true;
static long clockReadings = 0;

long LayerClockReadings()
{
    return clockReadings;
}

void LayerSetPerformanceCounterAvailable(bool available)
{
    performanceCounterAvailable = available;
}

void LayerSetMillisecondClock(DWORD now)
{
    simulatedMilliseconds = now;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    if (layerAutomation) {
        frequency->QuadPart = performanceCounterAvailable ? simulatedFrequency : 0;
        return performanceCounterAvailable ? TRUE : FALSE;
    }
    frequency->QuadPart = (LONGLONG)SDL_GetPerformanceFrequency();
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count)
        return FALSE;
    ++clockReadings;
    if (layerAutomation) {
        simulatedCounter += simulatedStep;
        count->QuadPart = simulatedCounter;
        return TRUE;
    }
    count->QuadPart = (LONGLONG)SDL_GetPerformanceCounter();
    return TRUE;
}

DWORD WINAPI timeGetTime(void)
{
    ++clockReadings;
    if (layerAutomation) {
        simulatedMilliseconds += 10;
        return simulatedMilliseconds;
    }
    // Milliseconds of a monotonic clock, wrapping at 2^32 as the Windows clock does.
    Uint64 counter = SDL_GetPerformanceCounter();
    Uint64 frequency = SDL_GetPerformanceFrequency();
    return (DWORD)((counter / frequency) * 1000 + (counter % frequency) * 1000 / frequency);
}
