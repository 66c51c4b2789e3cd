// --check: a recording replays to the end it recorded. A recording is a script whose last
// "# end " comment holds its last frame's state exactly as --dump last prints it.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// The state after the last "# end " in a script's text; false when it has none.
bool RecordedEnd(const std::string& scriptText, std::string& endLine);

// A dumped frame's top-level fields, each name with its value's text as printed.
std::vector<std::pair<std::string, std::string>> DumpFields(const std::string& line);

// Reads an end line strictly: one JSON object whose values are numbers, true, false, strings
// and arrays of them, each name once, nothing after it. False, with what is wrong, otherwise.
bool ReadEndFields(const std::string& line, std::vector<std::pair<std::string, std::string>>& fields,
                   std::string& why);

// The exit code of a recording whose end line cannot be read or names other fields than the
// game dumps.
const int damagedEndCode = 4;

// Compares the recorded end with the replayed one (a dump of this game, whose fields the
// recorded end must have, each and no other), says which on `out`, and gives the exit code: 0
// when they agree, 1 at the first field that differs, damagedEndCode when the recorded end is
// damaged.
int CompareEnds(const std::string& recorded, const std::string& replayed, FILE* out);
