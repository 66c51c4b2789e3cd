// The desktop host's game controller, over SDL's game-controller support and its mapping
// database: the first controller connected is played (another one taken when it goes), read at
// every pump of the machine's events, and only while the game window has the focus and is not
// minimised; what it does reaches the game as keys and cursor motion (gamepad_map.h).
#include "platform/desktop/desktop.h"
#include "platform/gamepad/gamepad_map.h"
#include "platform/input.h"

static bool subsystemOurs = false;
static SDL_GameController* pad = nullptr;
static Uint64 lastPoll = 0;
static bool idle = true;

static void OpenFirst()
{
    for (int i = 0; i < SDL_NumJoysticks() && !pad; ++i)
        if (SDL_IsGameController(i))
            pad = SDL_GameControllerOpen(i);
}

// A key the controller presses or lets go, as the keyboard's would come.
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
        DesktopMouseLook(output.lookX, output.lookY);
}

void DesktopGamepadEvent(const SDL_Event& event, HostPost post)
{
    if (event.type == SDL_CONTROLLERDEVICEADDED && !pad) {
        pad = SDL_GameControllerOpen(event.cdevice.which);
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED && pad &&
               event.cdevice.which == SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))) {
        SDL_GameControllerClose(pad);
        pad = nullptr;
        Apply(post, GamepadState(), 0.0);
        OpenFirst();
    }
}

static float Axis(SDL_GameControllerAxis axis)
{
    return (float)SDL_GameControllerGetAxis(pad, axis) / 32767.0f;
}

static bool Button(SDL_GameControllerButton button)
{
    return SDL_GameControllerGetButton(pad, button) != 0;
}

void DesktopGamepadPoll(HostPost post, bool playing)
{
    if (!subsystemOurs && !SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        // Brought up once; connected controllers then arrive as events.
        subsystemOurs = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        if (!subsystemOurs)
            return;
    }
    Uint64 now = SDL_GetPerformanceCounter();
    double seconds = lastPoll ? (double)(now - lastPoll) / (double)SDL_GetPerformanceFrequency() : 0.0;
    lastPoll = now;
    // With no controller in play the mapping is told once, to let go what it held, and then left
    // alone: every PeekMessageA comes here.
    bool reading = pad && playing && layerWindow;
    if (!reading && idle)
        return;
    idle = !reading;
    GamepadState state;
    if (reading) {
        state.leftX = Axis(SDL_CONTROLLER_AXIS_LEFTX);
        state.leftY = Axis(SDL_CONTROLLER_AXIS_LEFTY);
        state.rightX = Axis(SDL_CONTROLLER_AXIS_RIGHTX);
        state.rightY = Axis(SDL_CONTROLLER_AXIS_RIGHTY);
        state.leftTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
        state.rightTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        state.south = Button(SDL_CONTROLLER_BUTTON_A);
        state.east = Button(SDL_CONTROLLER_BUTTON_B);
        state.west = Button(SDL_CONTROLLER_BUTTON_X);
        state.north = Button(SDL_CONTROLLER_BUTTON_Y);
        state.rightStick = Button(SDL_CONTROLLER_BUTTON_RIGHTSTICK);
        state.leftShoulder = Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
        state.rightShoulder = Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        state.leftStick = Button(SDL_CONTROLLER_BUTTON_LEFTSTICK);
        state.start = Button(SDL_CONTROLLER_BUTTON_START);
        state.back = Button(SDL_CONTROLLER_BUTTON_BACK);
        state.dpadUp = Button(SDL_CONTROLLER_BUTTON_DPAD_UP);
        state.dpadDown = Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        state.dpadLeft = Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        state.dpadRight = Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    }
    if (layerWindow)
        Apply(post, state, seconds);
}

void DesktopResetGamepad()
{
    if (pad)
        SDL_GameControllerClose(pad);
    pad = nullptr;
    if (subsystemOurs && SDL_WasInit(SDL_INIT_GAMECONTROLLER))
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystemOurs = false;
    lastPoll = 0;
    idle = true;
    GamepadMapReset();
}
