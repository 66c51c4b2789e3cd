#include "tools/replay/check.h"

#include <sstream>

bool RecordedEnd(const std::string& scriptText, std::string& endLine)
{
    static const std::string mark = "# end ";
    std::istringstream lines(scriptText);
    std::string line;
    bool found = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, mark.size(), mark) == 0) {
            endLine = line.substr(mark.size());
            found = true;
        }
    }
    return found;
}

// The dump line is one flat object whose values are numbers, booleans, strings and arrays of
// them: a field ends at a comma outside brackets and strings.
std::vector<std::pair<std::string, std::string>> DumpFields(const std::string& line)
{
    std::vector<std::pair<std::string, std::string>> fields;
    size_t at = line.find('{');
    if (at == std::string::npos)
        return fields;
    ++at;
    while (at < line.size()) {
        size_t open = line.find('"', at);
        size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        size_t colon = close == std::string::npos ? close : line.find(':', close);
        if (colon == std::string::npos)
            break;
        std::string name = line.substr(open + 1, close - open - 1);
        size_t start = colon + 1;
        while (start < line.size() && line[start] == ' ')
            ++start;
        int depth = 0;
        bool quoted = false;
        size_t end = start;
        for (; end < line.size(); ++end) {
            char c = line[end];
            if (quoted) {
                if (c == '\\')
                    ++end;
                else if (c == '"')
                    quoted = false;
            } else if (c == '"') {
                quoted = true;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if ((c == ',' && depth == 0) || (c == '}' && depth == 0)) {
                break;
            }
        }
        fields.emplace_back(name, line.substr(start, end - start));
        at = end + 1;
    }
    return fields;
}

int CompareEnds(const std::string& recorded, const std::string& replayed, FILE* out)
{
    auto want = DumpFields(recorded);
    auto got = DumpFields(replayed);
    for (size_t i = 0; i < want.size() || i < got.size(); ++i) {
        std::string name = i < want.size() ? want[i].first : got[i].first;
        std::string wanted = i < want.size() ? want[i].second : "(none)";
        std::string had = "(none)";
        for (const auto& field : got)
            if (field.first == name)
                had = field.second;
        if (wanted != had || (i < got.size() && i >= want.size())) {
            std::fprintf(out, "the recording does not replay to its end: %s recorded %s, replayed %s\n",
                         name.c_str(), wanted.c_str(), had.c_str());
            return 1;
        }
    }
    std::string frames = want.empty() ? "0" : want[0].second;
    std::fprintf(out, "the recording replays to the same end: %s frames\n", frames.c_str());
    return 0;
}
