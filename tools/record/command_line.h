// The game's own command line, the same on Linux and Windows: nothing, or --record FILE
// (--record=FILE) to write the session as a replay script.
#pragma once

#include <string>
#include <vector>

extern const char gameUsageText[];

// The recording's path from the arguments (the program's name left out); false, with the
// reason, for anything else.
bool ParseGameCommandLine(const std::vector<std::string>& arguments, std::string& recordPath,
                          std::string& why);
