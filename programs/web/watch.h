// Watching a recording in the page, as trimvald-replay --watch does on Linux.
#pragma once

#include <string>

// Plays the script at `path` in the page at the game's pace, with its cues, handing the page
// the pictures of the frames listed in `shots` (numbers separated by commas, may be empty), and
// tells the page what came of it: whether the game reached the recording's end line, the last
// frame's state, or why the file could not be watched. Returns the exit code trimvald-replay
// would give (0 watched, 1 another end, 2 a file it refuses, 4 a damaged end line, 5 no WebGL).
int WatchInPage(const std::string& path, const std::string& shots);
