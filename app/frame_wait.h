// The end of a frame's wait: the clock is read until it reaches the frame's bound, and while
// enough time is left the processor sleeps in between, instead of spinning.
#pragma once

// The longest a one-millisecond sleep has lately been seen to last, in milliseconds: the game
// sleeps only while more time than this is left, so that no sleep carries a frame past its end.
extern double sleepCost;

// The cost as before any sleep was seen, for a new run of the game in one process.
void ResetFrameWait();

// Returns at the first TimerNowMs reading that is at or past `bound` (milliseconds since
// TimerStart), compared in double precision as the reading comes.
void WaitForFrameEnd(double bound);
