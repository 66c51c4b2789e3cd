// The game's window procedure and what the layer feeds it: key codes, system keys, activation,
// size changes, the screen saver and the close request.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/game_window.h"
#include "platform/desktop/desktop.h"
#include "platform/layer/layer.h"
#include "tests/scenario.h"

namespace {

using OpenWindow = OpenGameWindowTest;

TEST_F(OpenWindow, ActivationFollowsOnlyTheMinimisedFlag)
{
    EXPECT_EQ(appActive, 1);
    EXPECT_EQ(GameWindowProc(mainWindow, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0), 0);
    EXPECT_EQ(appActive, 0);
    EXPECT_EQ(GameWindowProc(mainWindow, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0), 0);
    EXPECT_EQ(appActive, 1) << "losing the focus without minimising keeps the game drawing";
    GameWindowProc(mainWindow, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    EXPECT_EQ(appActive, 0);
}

TEST_F(OpenWindow, KeyMessagesSetAndClearTheKeyTable)
{
    GameWindowProc(mainWindow, WM_KEYDOWN, 'W', 1);
    GameWindowProc(mainWindow, WM_KEYDOWN, 'W', 1 | (1 << 30));  // auto-repeat
    EXPECT_EQ(keys['W'], 1);
    GameWindowProc(mainWindow, WM_KEYUP, 'W', 1);
    EXPECT_EQ(keys['W'], 0);
    // A code beyond the table changes nothing (and writes nowhere).
    unsigned char before[256];
    std::memcpy(before, keys, sizeof before);
    GameWindowProc(mainWindow, WM_KEYDOWN, 0x100 + 'A', 1);
    EXPECT_EQ(std::memcmp(before, keys, sizeof before), 0);
    // System keys go to the default processing and are not recorded.
    GameWindowProc(mainWindow, WM_SYSKEYDOWN, 'W', 1 | (1 << 29));
    EXPECT_EQ(keys['W'], 0);
}

TEST_F(OpenWindow, ScreenSaverAndMonitorPowerCommandsAreRefused)
{
    EXPECT_FALSE(LayerQueryWindow().screenSaverAllowed) << "the game window holds the screen saver off";
    EXPECT_EQ(GameWindowProc(mainWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(GameWindowProc(mainWindow, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    EXPECT_FALSE(LayerQueryWindow().screenSaverAllowed);
    // The whole wParam is compared: a command with low bits set goes to the default processing.
    GameWindowProc(mainWindow, WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0);
    EXPECT_TRUE(LayerQueryWindow().screenSaverAllowed);
}

TEST_F(OpenWindow, CloseRequestPostsTheQuitMessageAndKeepsTheWindow)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(GameWindowProc(mainWindow, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(LayerQueryWindow().exists);
    ASSERT_TRUE(PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
    // Alt+F4 reaches the same request through the default processing.
    GameWindowProc(mainWindow, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
    ASSERT_TRUE(PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
}

TEST_F(OpenWindow, SizeChangesSetTheViewportAndTheAspect)
{
    GLint viewport[4];
    GLdouble projection[16];
    GameWindowProc(mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 640.0 / 480.0, 1e-5);
    // A zero height counts as one pixel: the aspect becomes the width.
    GameWindowProc(mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 0));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 1);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 800.0, 1e-3);
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

// Host key events become key messages; with Alt held they become system keys the game does not
// record.
TEST_F(OpenWindow, HostKeyEventsBecomeKeyMessagesAndAltHeldKeysAreSystemKeys)
{
    LayerInstallHost(nullptr);  // the desktop host: the machine's own events
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    }
    auto press = [](SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod, Uint32 type) {
        SDL_Event event;
        std::memset(&event, 0, sizeof event);
        event.type = type;
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
        MSG msg;
        std::vector<UINT> messages;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            messages.push_back(msg.message);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return messages;
    };
    EXPECT_EQ(press(SDLK_e, SDL_SCANCODE_E, KMOD_NONE, SDL_KEYDOWN), std::vector<UINT>{WM_KEYDOWN});
    EXPECT_EQ(keys['E'], 1);
    press(SDLK_e, SDL_SCANCODE_E, KMOD_NONE, SDL_KEYUP);
    EXPECT_EQ(keys['E'], 0);
    EXPECT_EQ(press(SDLK_e, SDL_SCANCODE_E, KMOD_LALT, SDL_KEYDOWN), std::vector<UINT>{WM_SYSKEYDOWN});
    EXPECT_EQ(keys['E'], 0);
    EXPECT_EQ(press(SDLK_F10, SDL_SCANCODE_F10, KMOD_NONE, SDL_KEYDOWN), std::vector<UINT>{WM_SYSKEYDOWN});
    EXPECT_EQ(keys[0x79], 0);
    // Ctrl casts, as E: the player's bindings give the game the cast's key.
    press(SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_RCTRL, SDL_KEYDOWN);
    EXPECT_EQ(keys['E'], 1);
    EXPECT_EQ(keys[VK_CONTROL], 0);
    // Alt+F4 from the host ends in the quit message.
    EXPECT_EQ(press(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, SDL_KEYDOWN),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_QUIT}));
}

// The fullscreen picture fills the desktop's height or width, never both unless the shapes
// agree, and is centred between bars.
TEST(PictureRect, KeepsTheShapeBetweenBars)
{
    auto rect = [](int w, int h) {
        LayerRect r = LayerPictureRect(800, 600, w, h);
        return std::vector<int>{r.x, r.y, r.w, r.h};
    };
    EXPECT_EQ(rect(800, 600), (std::vector<int>{0, 0, 800, 600}));
    EXPECT_EQ(rect(1024, 768), (std::vector<int>{0, 0, 1024, 768}));
    EXPECT_EQ(rect(1920, 1080), (std::vector<int>{240, 0, 1440, 1080}));
    EXPECT_EQ(rect(1280, 1024), (std::vector<int>{0, 32, 1280, 960}));
    EXPECT_EQ(rect(1366, 768), (std::vector<int>{171, 0, 1024, 768}));
}

TEST(KeyMap, HostKeysGiveWindowsVirtualKeyCodes)
{
    auto vk = [](SDL_Keycode sym, SDL_Scancode scancode) {
        SDL_Keysym key = {};
        key.sym = sym;
        key.scancode = scancode;
        return DesktopVirtualKey(key);
    };
    EXPECT_EQ(vk(SDLK_w, SDL_SCANCODE_W), 'W');
    EXPECT_EQ(vk(SDLK_0, SDL_SCANCODE_0), '0');
    EXPECT_EQ(vk(SDLK_4, SDL_SCANCODE_4), '4');
    EXPECT_EQ(vk(SDLK_SPACE, SDL_SCANCODE_SPACE), VK_SPACE);
    EXPECT_EQ(vk(SDLK_RETURN, SDL_SCANCODE_RETURN), VK_RETURN);
    EXPECT_EQ(vk(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), VK_RETURN);
    EXPECT_EQ(vk(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(vk(SDLK_F1, SDL_SCANCODE_F1), VK_F1);
    EXPECT_EQ(vk(SDLK_F12, SDL_SCANCODE_F12), 0x7B);
    for (SDL_Keycode shift : {SDLK_LSHIFT, SDLK_RSHIFT})
        EXPECT_EQ(vk(shift, SDL_SCANCODE_LSHIFT), VK_SHIFT);
    for (SDL_Keycode control : {SDLK_LCTRL, SDLK_RCTRL})
        EXPECT_EQ(vk(control, SDL_SCANCODE_LCTRL), VK_CONTROL);
    EXPECT_EQ(vk(SDLK_KP_7, SDL_SCANCODE_KP_7), VK_NUMPAD0 + 7);
    // A Cyrillic layout gives letters that are not Latin: the key's position decides, as the
    // Windows key codes do (the key of Ц is W).
    EXPECT_EQ(vk(0x446, SDL_SCANCODE_W), 'W');
    EXPECT_EQ(vk(0x441, SDL_SCANCODE_C), 'C');
    EXPECT_EQ(vk(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

}  // namespace
