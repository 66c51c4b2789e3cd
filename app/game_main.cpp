#include "app/game_main.h"

#include "app/frame_timer.h"
#include "app/game_window.h"
#include "game/draw_frame.h"
#include "game/game_state.h"
#include "game/player.h"
#include "game/spells.h"
#include "render/sound_cues.h"

int frameDelay = 5;

int GameMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (MessageBoxA(NULL, "Хотите запустить игру Тримвальд ?", "Запуск игры Тримвальд...",
                    MB_YESNO | MB_ICONQUESTION) == IDNO)
        return 0;

    fullscreen = 1;
    if (!OpenGameWindow(" Тримвальд ", 800, 600, 16, fullscreen))
        return 0;

    MSG msg = {};
    bool quit = false;
    bool quitByMessage = false;
    while (!quit) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitByMessage = true;
            } else {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }

        TimerStart();
        float frameStart = TimerNowMs();

        if (appActive && !DrawFrame())
            quit = true;

        // A fresh Escape press pauses a running game or, with none running, quits; that
        // frame goes straight on to the swap without waiting.
        bool escapePressed = false;
        if (keys[VK_ESCAPE] && !game.escapeHeld) {
            escapePressed = true;
            PlayCue(menuCue);
            game.escapeHeld = 1;
            if (game.gameRunning)
                game.gameRunning = 0;
            else
                quit = true;
        }

        if (!escapePressed) {
            double bound = (double)frameStart + 2.0 * (double)frameDelay;
            while (!(bound <= (double)TimerNowMs())) {
            }
        }

        SwapBuffers(windowDC);

        // Input read after the swap acts in the next frame's DrawFrame; these steps run in
        // every frame, also behind the title panel and while the window is minimised.
        MouseLook();
        WalkStep();
        JumpTakeOff();
        CrouchStep();
        CastStep();
        StandUpStep();
        SelectSpellStep();

        if (keys[VK_F1])
            quit = true;
        if (!keys[VK_ESCAPE])
            game.escapeHeld = 0;
    }

    CloseGameWindow();
    // Only the quit message carries an exit code; every other way out is a normal end.
    return quitByMessage ? (int)msg.wParam : 0;
}
