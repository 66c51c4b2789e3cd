// The browser's names of the keys' places (KeyboardEvent.code) as USB HID usages, the numbering
// the player's bindings use for a key's place.
#include <cstring>

#include "platform/web/keymap.h"

namespace {

struct Place {
    const char* code;
    int usage;
};

// Everything but the letters, digits, F-keys and the keypad's digits, which follow in runs.
const Place places[] = {
    {"Enter", 0x28},          {"Escape", 0x29},        {"Backspace", 0x2A},     {"Tab", 0x2B},
    {"Space", 0x2C},          {"Minus", 0x2D},         {"Equal", 0x2E},         {"BracketLeft", 0x2F},
    {"BracketRight", 0x30},   {"Backslash", 0x31},     {"Semicolon", 0x33},     {"Quote", 0x34},
    {"Backquote", 0x35},      {"Comma", 0x36},         {"Period", 0x37},        {"Slash", 0x38},
    {"CapsLock", 0x39},       {"PrintScreen", 0x46},   {"ScrollLock", 0x47},    {"Pause", 0x48},
    {"Insert", 0x49},         {"Home", 0x4A},          {"PageUp", 0x4B},        {"Delete", 0x4C},
    {"End", 0x4D},            {"PageDown", 0x4E},      {"ArrowRight", 0x4F},    {"ArrowLeft", 0x50},
    {"ArrowDown", 0x51},      {"ArrowUp", 0x52},       {"NumLock", 0x53},       {"NumpadDivide", 0x54},
    {"NumpadMultiply", 0x55}, {"NumpadSubtract", 0x56}, {"NumpadAdd", 0x57},    {"NumpadEnter", 0x58},
    {"Numpad0", 0x62},        {"NumpadDecimal", 0x63}, {"IntlBackslash", 0x64}, {"ContextMenu", 0x65},
    {"ControlLeft", 0xE0},    {"ShiftLeft", 0xE1},     {"AltLeft", 0xE2},       {"MetaLeft", 0xE3},
    {"ControlRight", 0xE4},   {"ShiftRight", 0xE5},    {"AltRight", 0xE6},      {"MetaRight", 0xE7},
};

}  // namespace

int WebKeyUsage(const char* code)
{
    const size_t length = std::strlen(code);
    if (length == 4 && std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z')
        return 0x04 + (code[3] - 'A');
    // Digit1 to Digit9, then Digit0.
    if (length == 6 && std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9')
        return code[5] == '0' ? 0x27 : 0x1E + (code[5] - '1');
    if (length == 7 && std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '1' && code[6] <= '9')
        return 0x59 + (code[6] - '1');
    if ((length == 2 || length == 3) && code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
        int n = code[1] - '0';
        if (length == 3)
            n = code[2] >= '0' && code[2] <= '9' ? n * 10 + (code[2] - '0') : 0;
        if (n >= 1 && n <= 12)
            return 0x3A + n - 1;
    }
    for (const Place& place : places)
        if (std::strcmp(place.code, code) == 0)
            return place.usage;
    return 0;
}
