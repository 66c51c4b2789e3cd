// The web host's game controller, through the Gamepad API: the first controller with the
// standard mapping is played (another taken when it goes), read at every pump of the page's
// events while the game has the player's keys; what it does reaches the game as keys and cursor
// motion (gamepad_map.h), as on the desktop.
#include <emscripten/html5.h>

#include <string>

#include "platform/gamepad/gamepad_map.h"
#include "platform/input.h"
#include "platform/web/web.h"

static int padIndex = -1;
static double lastPoll = 0.0;
static bool idle = true;

static void PostKey(HostPost post, int key, bool down)
{
    post(layerWindow, down ? WM_KEYDOWN : WM_KEYUP, (WPARAM)key, KeyChangeParam(down));
}

static void Apply(HostPost post, const GamepadState& state, double seconds)
{
    GamepadOutput output = GamepadMapStep(state, seconds);
    for (const auto& key : output.keys)
        PostKey(post, key.first, key.second);
    if (output.lookX || output.lookY)
        WebMouseLook(output.lookX, output.lookY);
}

static bool Standard(const EmscriptenGamepadEvent& pad)
{
    return pad.connected && std::string(pad.mapping) == "standard" && pad.numButtons >= 16 &&
           pad.numAxes >= 4;
}

// The controller in play, its state read now; false when there is none.
static bool Read(EmscriptenGamepadEvent& pad)
{
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    if (padIndex >= 0 && (emscripten_get_gamepad_status(padIndex, &pad) != EMSCRIPTEN_RESULT_SUCCESS ||
                          !Standard(pad)))
        padIndex = -1;
    if (padIndex < 0)
        for (int i = 0; i < emscripten_get_num_gamepads() && padIndex < 0; ++i)
            if (emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS && Standard(pad))
                padIndex = i;
    return padIndex >= 0;
}

void WebGamepadPoll(HostPost post, bool playing)
{
    double now = WebNow();
    double seconds = lastPoll > 0.0 ? (now - lastPoll) / 1000.0 : 0.0;
    lastPoll = now;
    EmscriptenGamepadEvent pad;
    bool reading = layerWindow && playing && Read(pad);
    // With no controller in play the mapping is told once, to let go what it held.
    if (!reading && idle)
        return;
    idle = !reading;
    GamepadState state;
    if (reading) {
        // The standard mapping's axes and buttons.
        state.leftX = (float)pad.axis[0];
        state.leftY = (float)pad.axis[1];
        state.rightX = (float)pad.axis[2];
        state.rightY = (float)pad.axis[3];
        state.leftTrigger = (float)pad.analogButton[6];
        state.rightTrigger = (float)pad.analogButton[7];
        state.south = pad.digitalButton[0];
        state.east = pad.digitalButton[1];
        state.west = pad.digitalButton[2];
        state.north = pad.digitalButton[3];
        state.leftShoulder = pad.digitalButton[4];
        state.rightShoulder = pad.digitalButton[5];
        state.back = pad.digitalButton[8];
        state.start = pad.digitalButton[9];
        state.leftStick = pad.digitalButton[10];
        state.rightStick = pad.digitalButton[11];
        state.dpadUp = pad.digitalButton[12];
        state.dpadDown = pad.digitalButton[13];
        state.dpadLeft = pad.digitalButton[14];
        state.dpadRight = pad.digitalButton[15];
    }
    if (layerWindow)
        Apply(post, state, seconds);
}

void WebResetGamepad()
{
    padIndex = -1;
    lastPoll = 0.0;
    idle = true;
    GamepadMapReset();
}
