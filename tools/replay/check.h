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

// Compares the recorded end with the replayed one, says which on `out`, and gives the exit
// code: 0 when they agree, 1 at the first field that differs.
int CompareEnds(const std::string& recorded, const std::string& replayed, FILE* out);
