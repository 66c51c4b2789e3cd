#include "tools/replay/script.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
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
            why = "unknown key '" + words[i] + "'";
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
        why = "unknown command '" + command + "'";
        return false;
    }
    script.steps.push_back(step);
    return true;
}

bool ParseScript(const std::string& text, Script& script, std::string& error)
{
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
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
        std::string why;
        if (!ParseLine(words, script, why)) {
            error = "script line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}
