// Writes a played session as a replay script while it is played: runs of equal frames merged
// into one `frames` line, the commands that came between frames in their places, and the file
// flushed at least once a second, so that a crash loses at most the last second of play.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Starts writing into an open file (the writer closes it when it finishes).
void ScriptWriterStart(FILE* file);

// One frame: the keys held in it (virtual-key codes, ascending) and the mouse offset mouse look
// read in it; `nowMs` is a monotonic clock's reading, for the once-a-second flush.
void ScriptWriterFrame(const std::vector<int>& keys, int mouseDX, int mouseDY, double nowMs);

// A command line that came before the next frame (`answer yes`, `minimize`, a comment...).
void ScriptWriterLine(const std::string& line);

// Writes what is pending and the last line, and closes the file. False when any of the
// session could not be written; `error` then says why.
bool ScriptWriterFinish(const std::string& lastLine, std::string& error);

// Whether the writer has a file and nothing has failed yet; after a failure the rest of the
// session is dropped and `error` says why (once).
bool ScriptWriterWriting();
bool ScriptWriterTakeFailure(std::string& error);
