// The frame timer: milliseconds since the top of the current frame, from the performance
// counter where the system has one, else from the multimedia millisecond clock.
#pragma once

#include <cstdint>

struct FrameTimerRecord {
    int64_t frequency;        // ticks per second
    float resolution;         // seconds per tick
    uint32_t mmTimerStart;    // timeGetTime at TimerStart (millisecond clock only)
    unsigned char usePerfCounter;
    int64_t perfTimerStart;   // counter at TimerStart (performance counter only)
};

extern FrameTimerRecord& FrameTimer;  // in the shell record

void TimerStart();
float TimerNowMs();
