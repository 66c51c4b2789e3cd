#include "platform/win32/gamepad.h"

#include <xinput.h>

#include "platform/gamepad/gamepad_map.h"
#include "platform/input.h"

typedef DWORD(WINAPI* GetStateFunction)(DWORD, XINPUT_STATE*);

static bool loaded = false;
static GetStateFunction getState = nullptr;
static DWORD slot = 0;
static bool connected = false;
static LARGE_INTEGER lastPoll = {};
static LARGE_INTEGER lastSearch = {};
static POINT look = {0, 0};

// The newest XInput first; none at all leaves the game without a controller, and says nothing.
static void Load()
{
    loaded = true;
    for (const char* name : {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"}) {
        HMODULE library = LoadLibraryA(name);
        if (library) {
            getState = (GetStateFunction)(void*)GetProcAddress(library, "XInputGetState");
            if (getState)
                return;
            FreeLibrary(library);
        }
    }
}

static double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return from.QuadPart ? (double)(to.QuadPart - from.QuadPart) / (double)frequency.QuadPart : 0.0;
}

static float Stick(SHORT value)
{
    return value < 0 ? (float)value / 32768.0f : (float)value / 32767.0f;
}

// An empty slot is slow to ask, so the slots are searched again only every two seconds.
static bool Read(XINPUT_STATE& state, const LARGE_INTEGER& now)
{
    if (connected && getState(slot, &state) == ERROR_SUCCESS)
        return true;
    connected = false;
    if (lastSearch.QuadPart && Seconds(lastSearch, now) < 2.0)
        return false;
    lastSearch = now;
    for (DWORD i = 0; i < XUSER_MAX_COUNT; ++i)
        if (getState(i, &state) == ERROR_SUCCESS) {
            slot = i;
            connected = true;
            return true;
        }
    return false;
}

void TrimvaldGamepadPoll(HWND gameWindow)
{
    if (!loaded)
        Load();
    if (!getState || !gameWindow)
        return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double seconds = Seconds(lastPoll, now);
    lastPoll = now;
    GamepadState state;
    XINPUT_STATE read = {};
    if (GetForegroundWindow() == gameWindow && !IsIconic(gameWindow) && Read(read, now)) {
        const XINPUT_GAMEPAD& pad = read.Gamepad;
        // XInput's sticks count up as positive; the mapping's count down.
        state.leftX = Stick(pad.sThumbLX);
        state.leftY = -Stick(pad.sThumbLY);
        state.rightX = Stick(pad.sThumbRX);
        state.rightY = -Stick(pad.sThumbRY);
        state.leftTrigger = (float)pad.bLeftTrigger / 255.0f;
        state.rightTrigger = (float)pad.bRightTrigger / 255.0f;
        WORD buttons = pad.wButtons;
        state.south = (buttons & XINPUT_GAMEPAD_A) != 0;
        state.east = (buttons & XINPUT_GAMEPAD_B) != 0;
        state.west = (buttons & XINPUT_GAMEPAD_X) != 0;
        state.north = (buttons & XINPUT_GAMEPAD_Y) != 0;
        state.rightStick = (buttons & XINPUT_GAMEPAD_RIGHT_THUMB) != 0;
        state.leftShoulder = (buttons & XINPUT_GAMEPAD_LEFT_SHOULDER) != 0;
        state.rightShoulder = (buttons & XINPUT_GAMEPAD_RIGHT_SHOULDER) != 0;
        state.leftStick = (buttons & XINPUT_GAMEPAD_LEFT_THUMB) != 0;
        state.start = (buttons & XINPUT_GAMEPAD_START) != 0;
        state.back = (buttons & XINPUT_GAMEPAD_BACK) != 0;
        state.dpadUp = (buttons & XINPUT_GAMEPAD_DPAD_UP) != 0;
        state.dpadDown = (buttons & XINPUT_GAMEPAD_DPAD_DOWN) != 0;
        state.dpadLeft = (buttons & XINPUT_GAMEPAD_DPAD_LEFT) != 0;
        state.dpadRight = (buttons & XINPUT_GAMEPAD_DPAD_RIGHT) != 0;
    }
    GamepadOutput output = GamepadMapStep(state, seconds);
    for (const auto& key : output.keys)
        PostMessageA(gameWindow, key.second ? WM_KEYDOWN : WM_KEYUP, (WPARAM)key.first,
                     KeyChangeParam(key.second));
    look.x += output.lookX;
    look.y += output.lookY;
}

POINT TrimvaldGamepadTakeLook()
{
    POINT taken = look;
    look.x = look.y = 0;
    return taken;
}
