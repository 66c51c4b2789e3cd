#include "app/frame_timer.h"

#include <cstring>

#include "app/shell_state.h"
#include "platform/platform.h"

FrameTimerRecord& FrameTimer = shell.frameTimer;

void TimerStart()
{
    std::memset(&FrameTimer, 0, sizeof FrameTimer);
    LARGE_INTEGER value;
    if (QueryPerformanceFrequency(&value)) {
        FrameTimer.frequency = value.QuadPart;
        QueryPerformanceCounter(&value);
        FrameTimer.perfTimerStart = value.QuadPart;
        FrameTimer.usePerfCounter = 1;
        FrameTimer.resolution = (float)(1.0 / (double)FrameTimer.frequency);
    } else {
        FrameTimer.usePerfCounter = 0;
        FrameTimer.mmTimerStart = timeGetTime();
        FrameTimer.resolution = 0.001f;
        FrameTimer.frequency = 1000;
    }
}

float TimerNowMs()
{
    int64_t ticks;
    if (FrameTimer.usePerfCounter) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        ticks = now.QuadPart - FrameTimer.perfTimerStart;
    } else {
        // Unsigned 32-bit difference: a wrap of the millisecond clock still gives the small
        // true interval.
        uint32_t elapsed = (uint32_t)timeGetTime() - FrameTimer.mmTimerStart;
        ticks = (int64_t)elapsed;
    }
    return (float)((double)ticks * (double)FrameTimer.resolution * 1000.0);
}
