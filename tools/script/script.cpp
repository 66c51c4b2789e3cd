#include "tools/script/script.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>

static const char* const failableFunctions[] = {
    "RegisterClassA",   "CreateWindowExA", "GetDC",          "ChoosePixelFormat",
    "SetPixelFormat",   "wglCreateContext", "wglMakeCurrent", "wglDeleteContext",
    "ReleaseDC",        "DestroyWindow",   "UnregisterClassA",
};

static bool ParseInt(const std::string& word, long low, long high, int& value)
{
    if (word.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || end != word.c_str() + word.size() || parsed < low || parsed > high)
        return false;
    value = (int)parsed;
    return true;
}

int KeyCodeOfName(const std::string& name)
{
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (name == "SPACE")
        return 32;
    if (name == "ENTER")
        return 13;
    if (name == "ESC")
        return 27;
    if (name == "F1")
        return 112;
    if (name == "SHIFT")
        return 16;
    if (name == "CTRL")
        return 17;
    if (name.compare(0, 3, "vk:") == 0) {
        int code;
        if (ParseInt(name.substr(3), 1, 255, code))
            return code;
    }
    return -1;
}

std::string KeyNameOfCode(int code)
{
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, (char)code);
    switch (code) {
    case 32: return "SPACE";
    case 13: return "ENTER";
    case 27: return "ESC";
    case 112: return "F1";
    case 16: return "SHIFT";
    case 17: return "CTRL";
    }
    return "vk:" + std::to_string(code);
}

static bool ParseFrames(const std::vector<std::string>& words, ScriptStep& step, std::string& why)
{
    if (words.size() < 2 || !ParseInt(words[1], 0, INT_MAX, step.frames)) {
        why = "'frames' needs a count of frames (0 or more)";
        return false;
    }
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "mouse") {
            if (i + 3 != words.size() ||
                !ParseInt(words[i + 1], -100000, 100000, step.mouseDX) ||
                !ParseInt(words[i + 2], -100000, 100000, step.mouseDY)) {
                why = "'mouse' takes two whole numbers DX DY and ends the line";
                return false;
            }
            return true;
        }
        int code = KeyCodeOfName(words[i]);
        if (code < 0) {
            why = "unknown key '" + QuotedText(words[i]) + "'";
            return false;
        }
        step.keys.insert(code);
    }
    return true;
}

static bool ParseLine(const std::vector<std::string>& words, Script& script, std::string& why)
{
    const std::string& command = words[0];
    if (command == "answer") {
        if (words.size() != 2 || (words[1] != "yes" && words[1] != "no")) {
            why = "'answer' takes yes or no";
            return false;
        }
        script.answers.push_back(words[1] == "yes");
        return true;
    }
    if (command == "display") {
        if (words.size() != 2 || (words[1] != "ok" && words[1] != "fail")) {
            why = "'display' takes ok or fail";
            return false;
        }
        script.displayOk = words[1] == "ok";
        return true;
    }
    if (command == "fail") {
        if (words.size() == 2)
            for (const char* name : failableFunctions)
                if (words[1] == name) {
                    script.failing.insert(name);
                    return true;
                }
        why = "'fail' takes the name of a function that can be made to fail";
        return false;
    }
    ScriptStep step;
    if (command == "frames") {
        if (!ParseFrames(words, step, why))
            return false;
    } else if (command == "minimize" || command == "restore" || command == "close") {
        if (words.size() != 1) {
            why = "'" + command + "' takes nothing";
            return false;
        }
        step.kind = command == "minimize" ? StepKind::Minimize
                    : command == "restore" ? StepKind::Restore
                                           : StepKind::Close;
    } else if (command == "resize") {
        step.kind = StepKind::Resize;
        if (words.size() != 3 || !ParseInt(words[1], 0, 65535, step.width) ||
            !ParseInt(words[2], 0, 65535, step.height)) {
            why = "'resize' takes a width and a height from 0 to 65535";
            return false;
        }
    } else {
        why = "unknown command '" + QuotedText(command) + "'";
        return false;
    }
    script.steps.push_back(step);
    return true;
}

// The length of the UTF-8 character that starts at `at`, or 0 when the bytes there are not one
// (an overlong form, a surrogate, past U+10FFFF, or cut short).
static size_t Utf8Length(const std::string& text, size_t at)
{
    unsigned char first = (unsigned char)text[at];
    size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
    if (first > 0xF4 || length == 0 || at + length > text.size())
        return 0;
    unsigned long code = first & (0x3F >> (length - 1));
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = (unsigned char)text[at + i];
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

std::string QuotedText(const std::string& text)
{
    static const size_t longest = 80;
    std::string quoted;
    size_t characters = 0;
    size_t at = 0;
    for (; at < text.size() && characters < longest; ++characters) {
        unsigned char c = (unsigned char)text[at];
        size_t length = c >= 0x20 && c < 0x7F ? 1 : c >= 0x80 ? Utf8Length(text, at) : 0;
        if (length == 0) {
            static const char hex[] = "0123456789abcdef";
            quoted += std::string("\\x") + hex[c >> 4] + hex[c & 15];
            ++at;
        } else {
            quoted.append(text, at, length);
            at += length;
        }
    }
    if (at < text.size())
        quoted += "...";
    return quoted;
}

const char recordingMark[] = "# Тримвальд ";
const char recordingEndMark[] = "# end ";

bool ParseScript(const std::string& text, Script& script, std::string& error)
{
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    script.cutOffLine = 0;
    bool recording = text.compare(0, std::strlen(recordingMark), recordingMark) == 0;
    while (std::getline(lines, line)) {
        ++number;
        bool last = lines.eof();  // the line had no line end: the text stops inside it
        std::size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream wordStream(line);
        std::vector<std::string> words;
        std::string word;
        while (wordStream >> word)
            words.push_back(word);
        if (words.empty())
            continue;
        // A recording's lines all end: a last one without its end was cut, even where what is
        // left reads (frames 4 for frames 40, E for ENTER). Elsewhere it is cut if it does not read.
        if (last && recording) {
            script.cutOffLine = number;
            return true;
        }
        std::string why;
        if (!ParseLine(words, script, why)) {
            if (last) {
                script.cutOffLine = number;
                return true;
            }
            error = "script line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}
