// The session recorder of the game on Linux and in the browser: it watches the host the program
// chose (the desktop's, the page's) and tells the session record (tools/script/session_record.h)
// what the player did.
#pragma once

#include <string>

// Starts recording into `path` (created, or emptied). False, with the reason in `error`, when
// the file cannot be written; the game then plays without recording.
bool StartRecording(const std::string& path, std::string& error);

// After the game has ended: writes what is left and the end line (the last frame's state as
// `trimvald-replay --dump last` prints it), closes the file and says on stderr if any of the
// session could not be written.
void FinishRecording();
