// Xlib's own handling of an X error prints the failed request and ends the process with exit
// code 1. SDL guards some of its requests with handlers of its own, not all: loading the OpenGL
// library, for one, creates a context on a scratch window unguarded, and without a working
// OpenGL driver the server refuses it. Here the video start takes the errors nobody else guards.
#pragma once

// Installs the game's handlers: an X error writes one line to stderr and lets the program go
// on (the call that failed reports its failure in its own way); a lost display writes one line
// and ends the program with exit code 0.
void SdlVideoCatchXErrors();
