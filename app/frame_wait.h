// The end of a frame's wait: the clock is read until it reaches the frame's bound, and while
// enough time is left the processor sleeps in between, instead of spinning.
#pragma once

// How much longer than asked a sleep has lately been seen to last, in milliseconds: the game
// sleeps only for what is left less than this, so that no sleep carries a frame past its end.
extern double& sleepOvershoot;  // in the shell record

// The wait's sleeps for a run of the game: a high-resolution waitable timer where the system has
// one, which sleeps to within a fraction of a millisecond of the time asked; elsewhere a
// millisecond at a time, with the system timer's period held at a millisecond until the end.
void StartFrameWait();
void EndFrameWait();

// Returns at the first TimerNowMs reading that is at or past `bound` (milliseconds since
// TimerStart), compared in double precision as the reading comes.
void WaitForFrameEnd(double bound);
