// The settings as a file's lines: the commented file written where there is none, and the
// settings in force as `trimvald --settings` shows them.
#include "platform/controls/controls.h"
#include "platform/controls/key_names.h"

// The lines that set everything to these settings, each after its comment when `comments`.
static std::string Lines(const ControlSettings& settings, bool comments)
{
    std::string text;
    auto comment = [&](const char* lines) {
        if (comments)
            text += lines;
    };
    comment("; Тримвальд's controls. Delete a line, or the file, to have its default back.\n"
            "; A recording holds what the game read (keys and cursor offsets after these\n"
            "; settings), so it checks on any machine, whatever the settings there.\n\n");
    text += "[keys]\n";
    comment("; position: the keys are known by their place on the keyboard, so the keys named\n"
            "; below are where a US keyboard has them (Z Q S D on a French keyboard walk);\n"
            "; layout: by the letter the keyboard's layout gives them.\n");
    text += std::string("keys = ") + (settings.keysByLayout ? "layout" : "position") + "\n";
    comment("; Each action's keys and mouse buttons, separated by blanks: A to Z, 0 to 9, F1 to\n"
            "; F12 (not F10), Space, Enter, Escape, Tab, Backspace, Shift, Ctrl, Up, Down, Left,\n"
            "; Right, Insert, Delete, Home, End, PageUp, PageDown, Minus, Equals, LeftBracket,\n"
            "; RightBracket, Backslash, Semicolon, Apostrophe, Grave, Comma, Period, Slash,\n"
            "; CapsLock, Keypad0 to Keypad9, KeypadPeriod, KeypadPlus, KeypadMinus,\n"
            "; KeypadMultiply, KeypadDivide; MouseLeft, MouseMiddle, MouseRight, Mouse4, Mouse5.\n"
            "; A key another action has is refused. spell1 to spell4 also choose the levels 1\n"
            "; to 4 on the title screen.\n");
    for (int action = 0; action < controlActionCount; ++action)
        text += std::string(ControlActionName(action)) + " = " +
                KeysText(settings.bindings[action]) + "\n";

    text += "\n[mouse]\n";
    comment("; 1 turns a tenth of a degree per pixel the mouse moves; 0.05 to 20.\n");
    text += "sensitivity = " + NumberText(settings.mouseSensitivity) + "\n";
    comment("; yes: pushing the mouse forward looks down.\n");
    text += std::string("invert = ") + (settings.mouseInvert ? "yes" : "no") + "\n";

    const GamepadSettings& pad = settings.controller;
    text += "\n[controller]\n";
    comment("; Degrees a second the right stick's whole push turns; 10 to 1000.\n");
    text += "look_speed = " + NumberText(pad.lookSpeed) + "\n";
    comment("; The part of their travel the sticks move before they walk and look; 0 to 0.9.\n");
    text += "walk_dead_zone = " + NumberText(pad.walkDeadZone) + "\n";
    text += "look_dead_zone = " + NumberText(pad.lookDeadZone) + "\n";
    comment("; yes: pushing the right stick up looks down.\n");
    text += std::string("invert = ") + (pad.invertLook ? "yes" : "no") + "\n";
    comment("; Each action's buttons, or none: A, B, X, Y (by their place: A is the lowest),\n"
            "; LeftShoulder, RightShoulder, LeftTrigger, RightTrigger, LeftStick, RightStick,\n"
            "; Start, Back, DpadUp, DpadDown, DpadLeft, DpadRight. The left stick walks.\n");
    for (int action = 0; action < gamepadActionCount; ++action)
        text += std::string(gamepadActionNames[action]) + " = " +
                ButtonsText(pad.buttons[action]) + "\n";
    return text;
}

std::string ControlsDefaultFileText()
{
    return Lines(ControlsDefaults(), true);
}

std::string ControlsSettingsText(const ControlSettings& settings)
{
    return Lines(settings, false);
}
