#include "app/game_main.h"

#include "app/frame_timer.h"
#include "app/dialog_texts.h"
#include "app/frame_wait.h"
#include "app/game_window.h"
#include "app/shell_state.h"
#include "game/draw_frame.h"
#include "game/game_state.h"
#include "game/player.h"
#include "game/spells.h"
#include "render/sound_cues.h"

int& frameDelay = shell.frameDelay;

int GameMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (MessageBoxA(NULL, startPrompt, startCaption, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return 0;

    fullscreen = 1;
    if (!OpenGameWindow(gameWindowTitle, 800, 600, 16, fullscreen))
        return 0;

    // The wait sleeps on a high-resolution timer, or a millisecond at a time with a fine system
    // timer held while the game runs.
    StartFrameWait();

    // Each pass handles one waiting message, or, with none waiting, runs one frame in steps
    // 1 to 14 below.
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

        // 1. The timer starts afresh and takes the frame's first reading.
        TimerStart();
        float frameStart = TimerNowMs();

        // 2. The frame is drawn while the window is active.
        if (appActive && !DrawFrame())
            quit = true;

        // 3. A fresh Escape press pauses a running game or, with none running, quits; that
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

        // 4. The wait: the frame lasts until the clock, read afresh on every pass, says
        // 2 x frameDelay ms have gone since the first reading. This is the game's frame pacing;
        // nothing else holds the frame rate. The frame's drawing is handed to the driver first,
        // so that it is done while the game waits, and the wait sleeps while it safely can.
        if (!escapePressed) {
            glFlush();
            double bound = (double)frameStart + 2.0 * (double)frameDelay;
            WaitForFrameEnd(bound);
        }

        // 5. The swap.
        SwapBuffers(windowDC);

        // Input read after the swap acts in the next frame's DrawFrame; these steps run in
        // every frame, also behind the title panel and while the window is minimised.
        // 6. Mouse look, 7. walk, 8. jump, 9. crouch, 10. cast, 11. stand up, 12. select a spell.
        MouseLook();
        WalkStep();
        JumpTakeOff();
        CrouchStep();
        CastStep();
        StandUpStep();
        SelectSpellStep();

        // 13. F1 quits, 14. a released Escape frees its latch.
        if (keys[VK_F1])
            quit = true;
        if (!keys[VK_ESCAPE])
            game.escapeHeld = 0;
    }

    EndFrameWait();
    CloseGameWindow();
    // Only the quit message carries an exit code; every other way out is a normal end.
    return quitByMessage ? (int)msg.wParam : 0;
}
