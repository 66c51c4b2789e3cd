// The one game window, its device context and OpenGL context, and its window procedure.
#pragma once

#include "game/game_input.h"
#include "platform/platform.h"

// The window's state, in the shell record (app/shell_state.h).
extern HINSTANCE& appInstance;
extern HWND& mainWindow;
extern HDC& windowDC;
extern HGLRC& glContext;
extern unsigned char& fullscreen;
extern unsigned char& appActive;
extern PIXELFORMATDESCRIPTOR& pixelFormat;

// Opens the window with the given client size and colour depth, fullscreen if asked and the
// display allows it (or windowed with the user's consent). Returns 1 on success, 0 after
// reporting the failure and tearing down what was built.
int OpenGameWindow(const char* title, int width, int height, int bits, unsigned char fullscreenFlag);

// Undoes OpenGameWindow step by step; safe with any subset of the handles set.
void CloseGameWindow();

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
