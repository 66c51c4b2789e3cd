// The keys the bindings can name, with their place on the keyboard in both numberings the
// machines give (USB HID usages, set-1 scan codes) and the virtual key a US layout gives there;
// and the names of the mouse's and the controller's buttons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct KeyName {
    const char* name;
    int usage;        // USB HID usage (keyboard page)
    int scanCode;     // set-1 scan code; 0xE0xx for the extended keys
    int virtualKey;   // Windows virtual-key code on a US layout
};

extern const KeyName keyNames[];
extern const int keyNameCount;

// "MouseLeft" ... for buttons 1 to 5, and the controller's buttons by GamepadButton.
extern const char* const mouseButtonNames[5];
extern const char* const gamepadButtonNames[];

// The actions' names in the file: the keyboard's by ControlAction, the controller's by
// GamepadAction.
extern const char* const controlActionNames[];
extern const char* const gamepadActionNames[];

// The control or controller button a name in the file stands for (letters in either case), or
// 0 and -1 for a name that is none.
int ControlNamed(const char* name);
int GamepadButtonNamed(const char* name);
// Names compared as the file has them: letters in either case.
bool SameName(const char* a, const char* b);

// A binding's keys as the file writes them ("E Ctrl MouseLeft"), a set of controller buttons
// ("none" for no button), and a number in the file's form (a point before the fraction).
std::string KeysText(const std::vector<int>& controls);
std::string ButtonsText(uint32_t buttons);
std::string NumberText(double value);
