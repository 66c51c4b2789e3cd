// The shell's state in one process-wide record: the window, the frame timer and the frame
// pacing. The member initialisers are the values at program start; ResetShell puts the whole
// record back by value, so a new variable of the shell belongs here. The code keeps its names
// for the members (appInstance, FrameTimer, ...), bound to them in the files that own them.
#pragma once

#include "app/frame_timer.h"
#include "platform/platform.h"

struct ShellState {
    // The game window (app/game_window.h).
    HINSTANCE appInstance = NULL;
    HWND mainWindow = NULL;
    HDC windowDC = NULL;
    HGLRC glContext = NULL;
    unsigned char fullscreen = 1;
    unsigned char appActive = 1;
    // Double-buffered RGBA with a 16-bit depth buffer; the colour depth is filled in by
    // OpenGameWindow from its bits argument.
    PIXELFORMATDESCRIPTOR pixelFormat = {
        40, 1, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 16,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0,
        16, 0, 0, PFD_MAIN_PLANE, 0,
        0, 0, 0,
    };

    // The frame timer (app/frame_timer.h): all zero until TimerStart.
    FrameTimerRecord frameTimer = {};

    // Frame pacing (app/game_main.h).
    int frameDelay = 5;

    // The frame wait (app/frame_wait.h). Before any sleep has been seen the overshoot is
    // guessed at more than a sleep overshoots with a millisecond system timer; the first sleep
    // seen replaces the guess.
    double sleepOvershoot = 1.0;
    bool overshootSeen = false;
    HANDLE waitTimer = NULL;  // the high-resolution timer, while the wait has one
};

extern ShellState shell;
