// The replay script: message-box answers, injected failures, and the steps that drive the game
// frame by frame.
#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

enum class StepKind { Frames, Minimize, Restore, Close, Resize };

struct ScriptStep {
    StepKind kind = StepKind::Frames;
    int frames = 0;
    std::set<int> keys;  // virtual-key codes held during the frames
    int mouseDX = 0;
    int mouseDY = 0;
    int width = 0;
    int height = 0;
};

struct Script {
    std::deque<bool> answers;  // true for Yes
    bool displayOk = true;
    std::set<std::string> failing;
    std::vector<ScriptStep> steps;
    // The number of a last line that was cut off (no line end, and not a whole command), left
    // out; 0 when the script ends whole.
    int cutOffLine = 0;
};

// A recording's first line starts with the recording mark (the game's version and the time
// follow), and its last frame's state (as `trimvald-replay --dump last` prints it) stands after
// the end mark on its last line.
extern const char recordingMark[];
extern const char recordingEndMark[];

// Parses the script text; on a fault returns false with a message naming the line. A last line
// without its line end is taken as the file cut off there (a full disk, a power cut, a copy
// broken off) when it does not read, or when the text is a recording (it starts with the
// recorder's first line, and the recorder ends every line): everything before it is played.
bool ParseScript(const std::string& text, Script& script, std::string& error);

// Text from a file, fit to be quoted in a message: at most 80 characters, and every byte that
// is neither printable ASCII nor part of a valid UTF-8 character written as \xNN.
std::string QuotedText(const std::string& text);

// The virtual-key code of a key name (A..Z, 0..9, SPACE, ENTER, ESC, F1, SHIFT, CTRL, vk:NN),
// or -1 when the name is unknown.
int KeyCodeOfName(const std::string& name);

// The name a script gives a virtual-key code from 1 to 255: its own name where it has one,
// else vk:NN.
std::string KeyNameOfCode(int code);
