// Drawing that can be switched off: in a run that wants no picture (a recording checked or
// dumped), the OpenGL and GLU calls that only draw return at once, and every other call (names,
// textures, lists, state) still reaches the system's OpenGL. The game never reads its pixels
// back, so its state is the same frame for frame; and nothing that a driver keeps per drawn
// vertex can pile up over a long run.
//
// The calls are the executable's own definitions of the system's names, so the game's calls and
// GLU's alike come here; a program that links this room decides at run time whether it draws.
#pragma once

// From now on nothing is drawn (true), or everything is again (false, as at program start).
void NullGlDrawNothing(bool on);
