// The browser's keys as Windows virtual-key codes, as the desktop build maps its keys: letters
// and digits as the layout names them, by the key's place where the layout names no Latin
// letter (a Cyrillic layout); every other key by its place (KeyboardEvent.code).
#include <cstring>

#include "platform/web/web.h"
#include "platform/web/keymap.h"

struct CodePair {
    const char* code;
    int vk;
};

static const CodePair placedKeys[] = {
    {"Backspace", VK_BACK},    {"Tab", VK_TAB},            {"Enter", VK_RETURN},
    {"NumpadEnter", VK_RETURN}, {"Escape", VK_ESCAPE},     {"Space", VK_SPACE},
    {"ShiftLeft", VK_SHIFT},   {"ShiftRight", VK_SHIFT},   {"ControlLeft", VK_CONTROL},
    {"ControlRight", VK_CONTROL}, {"AltLeft", VK_MENU},    {"AltRight", VK_MENU},
    {"Pause", VK_PAUSE},       {"CapsLock", VK_CAPITAL},   {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT},     {"End", VK_END},            {"Home", VK_HOME},
    {"ArrowLeft", VK_LEFT},    {"ArrowUp", VK_UP},         {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN},    {"Insert", VK_INSERT},      {"Delete", VK_DELETE},
    {"NumpadMultiply", VK_MULTIPLY}, {"NumpadAdd", VK_ADD}, {"NumpadSubtract", VK_SUBTRACT},
    {"NumpadDecimal", VK_DECIMAL}, {"NumpadDivide", VK_DIVIDE}, {"MetaLeft", 0x5B},
    {"MetaRight", 0x5C},       {"ContextMenu", 0x5D},      {"NumLock", 0x90},
    {"ScrollLock", 0x91},      {"PrintScreen", 0x2C},      {"Semicolon", 0xBA},
    {"Equal", 0xBB},           {"Comma", 0xBC},            {"Minus", 0xBD},
    {"Period", 0xBE},          {"Slash", 0xBF},            {"Backquote", 0xC0},
    {"BracketLeft", 0xDB},     {"Backslash", 0xDC},        {"BracketRight", 0xDD},
    {"Quote", 0xDE},
};

int WebVirtualKey(const char* key, const char* code)
{
    if (std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '0' && code[6] <= '9' && !code[7])
        return VK_NUMPAD0 + (code[6] - '0');
    // The layout's Latin letter or digit, when the key gives one.
    if (key[0] && !key[1]) {
        char c = key[0];
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 'A';
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
    }
    // F1 to F12, then the letters and digits by place.
    if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
        int n = code[1] - '0';
        if (code[2] >= '0' && code[2] <= '9' && !code[3])
            n = n * 10 + (code[2] - '0');
        else if (code[2])
            n = 0;
        if (n >= 1 && n <= 12)
            return 0x70 + n - 1;
    }
    for (const CodePair& pair : placedKeys)
        if (std::strcmp(pair.code, code) == 0)
            return pair.vk;
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && !code[4])
        return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && !code[6])
        return code[5];
    return 0;
}
