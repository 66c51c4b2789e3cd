// The game's own command line, the same on Linux and Windows: nothing, or --record FILE
// (--record=FILE) to write the session as a replay script; or --settings, --help (-h) or
// --version, which only tell (and --settings writes the default settings file where there is
// none) and play nothing.
#pragma once

#include <string>
#include <vector>

extern const char gameUsageText[];
// "trimvald 1.0.0": the project's version.
extern const char gameVersionText[];

enum class GameRequest { Play, Settings, Help, Version };

// What the arguments (the program's name left out) ask for and, to play, the recording's path
// (empty: none); false, with the reason, for anything else. --help or --version anywhere is
// answered whatever else stands there, then --settings.
bool ParseGameCommandLine(const std::vector<std::string>& arguments, GameRequest& request,
                          std::string& recordPath, std::string& why);
