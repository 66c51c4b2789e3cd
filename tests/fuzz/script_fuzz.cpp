// Feeds arbitrary bytes to the replay driver's readers as the text of a script or a recording:
// every input must end in a script whose values are in range and that reads the same when
// written back, or in a message naming the line; a recorded end must compare as itself; and no
// read or write may fall outside what the readers own.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "tools/script/check.h"
#include "tools/script/script.h"

static FILE* devNull;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    devNull = std::fopen("/dev/null", "w");
    if (!devNull)
        std::abort();
    return 0;
}

static bool InRange(const ScriptStep& step)
{
    for (int code : step.keys)
        if (code < 1 || code > 255)
            return false;
    return step.frames >= 0 && step.mouseDX >= -100000 && step.mouseDX <= 100000 &&
           step.mouseDY >= -100000 && step.mouseDY <= 100000 && step.width >= 0 &&
           step.width <= 65535 && step.height >= 0 && step.height <= 65535;
}

// The script written back in the language, one command per line, every key by its own name.
static std::string Written(const Script& script)
{
    std::string text;
    for (bool yes : script.answers)
        text += yes ? "answer yes\n" : "answer no\n";
    text += script.displayOk ? "display ok\n" : "display fail\n";
    for (const std::string& name : script.failing)
        text += "fail " + name + "\n";
    for (const ScriptStep& step : script.steps) {
        switch (step.kind) {
        case StepKind::Frames:
            text += "frames " + std::to_string(step.frames);
            for (int code : step.keys)
                text += " " + KeyNameOfCode(code);
            text += " mouse " + std::to_string(step.mouseDX) + " " + std::to_string(step.mouseDY);
            break;
        case StepKind::Minimize: text += "minimize"; break;
        case StepKind::Restore: text += "restore"; break;
        case StepKind::Close: text += "close"; break;
        case StepKind::Resize:
            text += "resize " + std::to_string(step.width) + " " + std::to_string(step.height);
            break;
        }
        text += "\n";
    }
    return text;
}

static auto Fields(const ScriptStep& s)
{
    return std::tie(s.kind, s.frames, s.keys, s.mouseDX, s.mouseDY, s.width, s.height);
}

static bool Same(const Script& a, const Script& b)
{
    if (a.answers != b.answers || a.displayOk != b.displayOk || a.failing != b.failing ||
        a.steps.size() != b.steps.size())
        return false;
    for (size_t i = 0; i < a.steps.size(); ++i)
        if (Fields(a.steps[i]) != Fields(b.steps[i]))
            return false;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    Script script;
    std::string error;
    if (!ParseScript(text, script, error)) {
        // A message naming the line, the file's own bytes in it quoted printable.
        if (error.compare(0, 12, "script line ") != 0 || error.size() == 12)
            std::abort();
        for (char c : error)
            if ((unsigned char)c < 0x20 || c == 0x7F)
                std::abort();
    } else {
        // Only the text's last line, with no line end after it, can be cut off.
        if (script.cutOffLine && script.cutOffLine != std::count(text.begin(), text.end(), '\n') + 1)
            std::abort();
        for (const ScriptStep& step : script.steps)
            if (!InRange(step))
                std::abort();
        Script again;
        if (!ParseScript(Written(script), again, error) || !Same(script, again))
            std::abort();
    }

    std::string endLine;
    // Compared with itself an end is the same end or a damaged one, never another end.
    if (RecordedEnd(text, endLine)) {
        int code = CompareEnds(endLine, endLine, devNull);
        if (code != 0 && code != damagedEndCode)
            std::abort();
    }
    return 0;
}
