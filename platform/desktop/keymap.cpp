// SDL keys to Windows virtual-key codes (the layout's keys, as Windows gives them: the system's
// keys, and the game's under `keys = layout`), and to the controls the bindings name. Letters
// and digits follow the key's position where the layout gives no Latin character (a Cyrillic
// layout), as Windows does.
#include "platform/controls/controls.h"
#include "platform/desktop/desktop.h"

struct KeyPair {
    SDL_Keycode key;
    int vk;
};

static const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},   {SDLK_TAB, VK_TAB},         {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},  {SDLK_ESCAPE, VK_ESCAPE},   {SDLK_SPACE, VK_SPACE},
    {SDLK_LSHIFT, VK_SHIFT},     {SDLK_RSHIFT, VK_SHIFT},    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},    {SDLK_LALT, VK_MENU},       {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},      {SDLK_CAPSLOCK, VK_CAPITAL}, {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},    {SDLK_END, VK_END},         {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},        {SDLK_UP, VK_UP},           {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},        {SDLK_INSERT, VK_INSERT},   {SDLK_DELETE, VK_DELETE},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD}, {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE}, {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},           {SDLK_APPLICATION, 0x5D},   {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},     {SDLK_PRINTSCREEN, 0x2C},
};

struct ScancodePair {
    SDL_Scancode scancode;
    int vk;
};

// Punctuation keys by position (the US names of the OEM keys).
static const ScancodePair punctuation[] = {
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_EQUALS, 0xBB},      {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},     {SDL_SCANCODE_PERIOD, 0xBE},      {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},     {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_APOSTROPHE, 0xDE},
};

int DesktopVirtualKey(const SDL_Keysym& key)
{
    SDL_Keycode code = key.sym;
    if (code >= 'a' && code <= 'z')
        return (int)(code - 'a' + 'A');
    if (code >= '0' && code <= '9')
        return (int)code;
    if (code >= SDLK_F1 && code <= SDLK_F12)
        return 0x70 + (int)(code - SDLK_F1);
    if (code >= SDLK_KP_1 && code <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (int)(code - SDLK_KP_1);
    if (code == SDLK_KP_0)
        return VK_NUMPAD0;
    for (const KeyPair& pair : namedKeys)
        if (pair.key == code)
            return pair.vk;

    SDL_Scancode scancode = key.scancode;
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (int)(scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (int)(scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    for (const ScancodePair& pair : punctuation)
        if (pair.scancode == scancode)
            return pair.vk;
    return 0;
}

// SDL's scan codes are the keys' USB HID usages.
int DesktopKeyControl(const SDL_Keysym& key)
{
    return ControlOfKey(ControlOfUsage((int)key.scancode), DesktopVirtualKey(key));
}
