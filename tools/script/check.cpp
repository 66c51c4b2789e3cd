#include "tools/script/check.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "tools/script/script.h"

bool RecordedEnd(const std::string& scriptText, std::string& endLine)
{
    const std::string mark = recordingEndMark;
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

namespace {

// A strict reader of the end line's JSON, position by position.
struct EndReader {
    explicit EndReader(const std::string& line) : text(line) {}

    const std::string& text;
    size_t at = 0;
    std::string why;

    bool Fail(const std::string& what)
    {
        if (why.empty())
            why = what + " at character " + std::to_string(at + 1);
        return false;
    }
    void Blanks()
    {
        while (at < text.size() && std::strchr(" \t\r", text[at]) && text[at] != '\0')
            ++at;
    }
    bool Take(char c)
    {
        Blanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool String()
    {
        if (!Take('"'))
            return Fail("a string was expected");
        while (at < text.size() && text[at] != '"') {
            unsigned char c = (unsigned char)text[at];
            if (c < 0x20)
                return Fail("a control character in a string");
            if (c == '\\') {
                ++at;
                if (at >= text.size() || !std::strchr("\"\\/bfnrtu", text[at]) || text[at] == '\0')
                    return Fail("a bad escape in a string");
                if (text[at] == 'u') {
                    for (int i = 1; i <= 4; ++i)
                        if (at + i >= text.size() || !std::isxdigit((unsigned char)text[at + i]))
                            return Fail("a bad \\u escape in a string");
                    at += 4;
                }
            }
            ++at;
        }
        if (at >= text.size())
            return Fail("a string that does not end");
        ++at;
        return true;
    }
    bool Digits()
    {
        size_t from = at;
        while (at < text.size() && std::isdigit((unsigned char)text[at]))
            ++at;
        return at > from;
    }
    bool Number()
    {
        if (at < text.size() && text[at] == '-')
            ++at;
        if (!Digits())
            return Fail("a value was expected");
        if (at < text.size() && text[at] == '.' && (++at, !Digits()))
            return Fail("a number without digits after its point");
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-'))
                ++at;
            if (!Digits())
                return Fail("a number without digits in its exponent");
        }
        return true;
    }
    bool Scalar()
    {
        Blanks();
        if (at < text.size() && text[at] == '"')
            return String();
        for (const char* word : {"true", "false"})
            if (text.compare(at, std::strlen(word), word) == 0) {
                at += std::strlen(word);
                return true;
            }
        return Number();
    }
    bool Value()
    {
        Blanks();
        if (!Take('['))
            return Scalar();
        if (Take(']'))
            return true;
        do {
            if (!Scalar())
                return false;
        } while (Take(','));
        return Take(']') || Fail("an array that does not end");
    }
};

}  // namespace

bool ReadEndFields(const std::string& line, std::vector<std::pair<std::string, std::string>>& fields,
                   std::string& why)
{
    fields.clear();
    EndReader reader(line);
    bool read = reader.Take('{');
    if (!read)
        reader.Fail("no '{'");
    while (read && !reader.Take('}')) {
        if (!fields.empty() && !reader.Take(',')) {
            read = reader.Fail("',' or '}' was expected");
            break;
        }
        reader.Blanks();
        size_t nameAt = reader.at;
        if (!reader.String() || !(reader.Take(':') || reader.Fail("':' was expected"))) {
            read = false;
            break;
        }
        std::string name = line.substr(nameAt + 1, reader.at - nameAt - 1);
        name = name.substr(0, name.rfind('"'));
        reader.Blanks();
        size_t valueAt = reader.at;
        if (!reader.Value()) {
            read = false;
            break;
        }
        for (const auto& field : fields)
            if (field.first == name) {
                read = reader.Fail("\"" + name + "\" given twice");
                break;
            }
        fields.emplace_back(name, line.substr(valueAt, reader.at - valueAt));
    }
    reader.Blanks();
    if (read && reader.at != line.size())
        read = reader.Fail("more after the end of the object");
    why = reader.why;
    return read;
}

int CompareEnds(const std::string& recorded, const std::string& replayed, FILE* out)
{
    std::vector<std::pair<std::string, std::string>> want, got;
    std::string why;
    // Both ends are read alike, so that an end compares the same as itself.
    if (!ReadEndFields(replayed, got, why))
        got = DumpFields(replayed);
    why.clear();
    if (ReadEndFields(recorded, want, why)) {
        auto named = [](const std::vector<std::pair<std::string, std::string>>& fields,
                        const std::string& name) {
            return std::any_of(fields.begin(), fields.end(),
                               [&](const std::pair<std::string, std::string>& f) { return f.first == name; });
        };
        // A session that ended at the start question records its frame only; any other end
        // holds every field the game dumps, and no other.
        bool startOnly = want.size() == 1 && want[0].first == "frame";
        if (!named(want, "frame"))
            why = "it has no \"frame\"";
        for (const auto& field : got.size() > 1 && !startOnly ? got : decltype(got)())
            if (why.empty() && !named(want, field.first))
                why = "it has no \"" + QuotedText(field.first) + "\"";
        for (const auto& field : got.size() > 1 ? want : decltype(want)())
            if (why.empty() && !named(got, field.first))
                why = "unknown field \"" + QuotedText(field.first) + "\"";
    }
    if (!why.empty()) {
        std::fprintf(out, "the end line is damaged: %s\n", why.c_str());
        return damagedEndCode;
    }
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
