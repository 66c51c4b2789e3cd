#include "platform/controls/key_names.h"

#include <cctype>
#include <locale>
#include <sstream>

#include "platform/controls/controls.h"
#include "platform/gamepad/gamepad_map.h"

// Alt and F10 are missing on purpose: the system takes them (Alt+F4 closes the window), and the
// game never hears them as keys.
const KeyName keyNames[] = {
    {"A", 0x04, 0x1E, 'A'},
    {"B", 0x05, 0x30, 'B'},
    {"C", 0x06, 0x2E, 'C'},
    {"D", 0x07, 0x20, 'D'},
    {"E", 0x08, 0x12, 'E'},
    {"F", 0x09, 0x21, 'F'},
    {"G", 0x0A, 0x22, 'G'},
    {"H", 0x0B, 0x23, 'H'},
    {"I", 0x0C, 0x17, 'I'},
    {"J", 0x0D, 0x24, 'J'},
    {"K", 0x0E, 0x25, 'K'},
    {"L", 0x0F, 0x26, 'L'},
    {"M", 0x10, 0x32, 'M'},
    {"N", 0x11, 0x31, 'N'},
    {"O", 0x12, 0x18, 'O'},
    {"P", 0x13, 0x19, 'P'},
    {"Q", 0x14, 0x10, 'Q'},
    {"R", 0x15, 0x13, 'R'},
    {"S", 0x16, 0x1F, 'S'},
    {"T", 0x17, 0x14, 'T'},
    {"U", 0x18, 0x16, 'U'},
    {"V", 0x19, 0x2F, 'V'},
    {"W", 0x1A, 0x11, 'W'},
    {"X", 0x1B, 0x2D, 'X'},
    {"Y", 0x1C, 0x15, 'Y'},
    {"Z", 0x1D, 0x2C, 'Z'},
    {"1", 0x1E, 0x02, '1'},
    {"2", 0x1F, 0x03, '2'},
    {"3", 0x20, 0x04, '3'},
    {"4", 0x21, 0x05, '4'},
    {"5", 0x22, 0x06, '5'},
    {"6", 0x23, 0x07, '6'},
    {"7", 0x24, 0x08, '7'},
    {"8", 0x25, 0x09, '8'},
    {"9", 0x26, 0x0A, '9'},
    {"0", 0x27, 0x0B, '0'},
    {"Enter", 0x28, 0x1C, 0x0D},
    {"Escape", 0x29, 0x01, 0x1B},
    {"Backspace", 0x2A, 0x0E, 0x08},
    {"Tab", 0x2B, 0x0F, 0x09},
    {"Space", 0x2C, 0x39, 0x20},
    {"Minus", 0x2D, 0x0C, 0xBD},
    {"Equals", 0x2E, 0x0D, 0xBB},
    {"LeftBracket", 0x2F, 0x1A, 0xDB},
    {"RightBracket", 0x30, 0x1B, 0xDD},
    {"Backslash", 0x31, 0x2B, 0xDC},
    {"Semicolon", 0x33, 0x27, 0xBA},
    {"Apostrophe", 0x34, 0x28, 0xDE},
    {"Grave", 0x35, 0x29, 0xC0},
    {"Comma", 0x36, 0x33, 0xBC},
    {"Period", 0x37, 0x34, 0xBE},
    {"Slash", 0x38, 0x35, 0xBF},
    {"CapsLock", 0x39, 0x3A, 0x14},
    {"F1", 0x3A, 0x3B, 0x70},
    {"F2", 0x3B, 0x3C, 0x71},
    {"F3", 0x3C, 0x3D, 0x72},
    {"F4", 0x3D, 0x3E, 0x73},
    {"F5", 0x3E, 0x3F, 0x74},
    {"F6", 0x3F, 0x40, 0x75},
    {"F7", 0x40, 0x41, 0x76},
    {"F8", 0x41, 0x42, 0x77},
    {"F9", 0x42, 0x43, 0x78},
    {"F11", 0x44, 0x57, 0x7A},
    {"F12", 0x45, 0x58, 0x7B},
    {"Insert", 0x49, 0xE052, 0x2D},
    {"Home", 0x4A, 0xE047, 0x24},
    {"PageUp", 0x4B, 0xE049, 0x21},
    {"Delete", 0x4C, 0xE053, 0x2E},
    {"End", 0x4D, 0xE04F, 0x23},
    {"PageDown", 0x4E, 0xE051, 0x22},
    {"Right", 0x4F, 0xE04D, 0x27},
    {"Left", 0x50, 0xE04B, 0x25},
    {"Down", 0x51, 0xE050, 0x28},
    {"Up", 0x52, 0xE048, 0x26},
    {"KeypadDivide", 0x54, 0xE035, 0x6F},
    {"KeypadMultiply", 0x55, 0x37, 0x6A},
    {"KeypadMinus", 0x56, 0x4A, 0x6D},
    {"KeypadPlus", 0x57, 0x4E, 0x6B},
    {"Keypad1", 0x59, 0x4F, 0x61},
    {"Keypad2", 0x5A, 0x50, 0x62},
    {"Keypad3", 0x5B, 0x51, 0x63},
    {"Keypad4", 0x5C, 0x4B, 0x64},
    {"Keypad5", 0x5D, 0x4C, 0x65},
    {"Keypad6", 0x5E, 0x4D, 0x66},
    {"Keypad7", 0x5F, 0x47, 0x67},
    {"Keypad8", 0x60, 0x48, 0x68},
    {"Keypad9", 0x61, 0x49, 0x69},
    {"Keypad0", 0x62, 0x52, 0x60},
    {"KeypadPeriod", 0x63, 0x53, 0x6E},
    {"Ctrl", 0xE0, 0x1D, 0x11},
    {"Shift", 0xE1, 0x2A, 0x10},
};
const int keyNameCount = (int)(sizeof keyNames / sizeof keyNames[0]);

const char* const mouseButtonNames[5] = {"MouseLeft", "MouseMiddle", "MouseRight", "Mouse4",
                                         "Mouse5"};

const char* const gamepadButtonNames[gamepadButtonCount] = {
    "A", "B", "X", "Y", "LeftShoulder", "RightShoulder", "LeftTrigger", "RightTrigger",
    "LeftStick", "RightStick", "Start", "Back", "DpadUp", "DpadDown", "DpadLeft", "DpadRight"};

const char* const controlActionNames[controlActionCount] = {
    "forward", "back",   "left",   "right",  "jump",   "crouch",  "cast",
    "spell1",  "spell2", "spell3", "spell4", "level5", "level6",  "level7",
    "level8",  "level9", "level10", "start", "pause",  "quit"};

const char* const gamepadActionNames[gamepadActionCount] = {
    "jump", "crouch", "cast", "start", "pause", "quit", "next_spell", "previous_spell", "level_up",
    "level_down"};

bool SameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower((unsigned char)*a) != std::tolower((unsigned char)*b))
            return false;
    return *a == *b;
}

int ControlNamed(const char* name)
{
    for (int i = 0; i < keyNameCount; ++i)
        if (SameName(keyNames[i].name, name))
            return keyNames[i].usage;
    for (int button = 1; button <= 5; ++button)
        if (SameName(mouseButtonNames[button - 1], name))
            return ControlOfMouseButton(button);
    return 0;
}

int GamepadButtonNamed(const char* name)
{
    for (int button = 0; button < gamepadButtonCount; ++button)
        if (SameName(gamepadButtonNames[button], name))
            return button;
    return -1;
}

const char* ControlActionName(int action)
{
    return action >= 0 && action < controlActionCount ? controlActionNames[action] : "";
}

std::string ControlName(int control)
{
    if (control > mouseControl && control <= mouseControl + 5)
        return mouseButtonNames[control - mouseControl - 1];
    for (int i = 0; i < keyNameCount; ++i)
        if (keyNames[i].usage == control)
            return keyNames[i].name;
    return "";
}

ControlSettings ControlsDefaults()
{
    ControlSettings settings;
    const char* defaults[controlActionCount] = {
        "W", "S", "A", "D", "Space", "C", "E", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
        "Enter", "Escape", "F1"};
    for (int action = 0; action < controlActionCount; ++action)
        settings.bindings[action].push_back(ControlNamed(defaults[action]));
    // Shift crouches and Ctrl casts as C and E do, and the left button casts.
    settings.bindings[actCrouch].push_back(ControlNamed("Shift"));
    settings.bindings[actCast].push_back(ControlNamed("Ctrl"));
    settings.bindings[actCast].push_back(ControlOfMouseButton(1));
    return settings;
}

std::string KeysText(const std::vector<int>& controls)
{
    std::string text;
    for (int control : controls)
        text += (text.empty() ? "" : " ") + ControlName(control);
    return text;
}

std::string ButtonsText(uint32_t buttons)
{
    std::string text;
    for (int button = 0; button < gamepadButtonCount; ++button)
        if (buttons & (1u << button))
            text += (text.empty() ? "" : " ") + std::string(gamepadButtonNames[button]);
    return text.empty() ? "none" : text;
}

std::string NumberText(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value;
    return text.str();
}
