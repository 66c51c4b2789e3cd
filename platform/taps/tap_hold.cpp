#include "platform/taps/tap_hold.h"

#include <cstring>

#include "platform/platform.h"

// The presses handed over since the last frame ran, by virtual key.
static bool pressedSinceFrame[256];

bool TapMustWait(unsigned message, unsigned long long key)
{
    return message == WM_KEYUP && pressedSinceFrame[key & 0xFF];
}

void TapHandedOver(unsigned message, unsigned long long key)
{
    if (message == WM_KEYDOWN)
        pressedSinceFrame[key & 0xFF] = true;
}

void TapFrameRuns()
{
    std::memset(pressedSinceFrame, 0, sizeof pressedSinceFrame);
}

void TapReset()
{
    TapFrameRuns();
}
