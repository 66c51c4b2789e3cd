// Windows only: what a session recorder sees of the game's calls to the real Windows API. The
// game keeps calling the API's own names; the platform header sends the few a recording needs
// through these, which make the real call and tell the capture installed, if any.
#pragma once

#include <windows.h>

struct TrimvaldCapture {
    // The top of every PeekMessageA, and a PeekMessageA that found nothing (a frame starts).
    void (*beforePeek)();
    void (*frameStart)();
    // The cursor position GetCursorPos gave (mouse look reads it once a frame).
    void (*cursor)(POINT point);
    // A message box about to open, and what it returned.
    void (*messageBoxOpens)();
    void (*messageBoxAnswered)(UINT style, int answer);
    // Whether the fullscreen display mode asked for was granted.
    void (*displayMode)(bool granted);
    // A wave file PlaySoundA was asked to play.
    void (*sound)(const char* file);
    // A message reaching the game's window procedure once its main loop runs.
    void (*windowMessage)(UINT message, WPARAM wParam, LPARAM lParam);
};

// Installs a capture (copied), or none with nullptr.
void TrimvaldInstallCapture(const TrimvaldCapture* capture);

// The capture installed now, for the wrappers of other files (nullptr when none).
const TrimvaldCapture* TrimvaldCurrentCapture();

BOOL WINAPI TrimvaldPeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);
BOOL WINAPI TrimvaldGetCursorPos(LPPOINT point);
LONG WINAPI TrimvaldChangeDisplaySettings(DEVMODEA* mode, DWORD flags);
BOOL WINAPI TrimvaldPlaySound(LPCSTR sound, HMODULE module, DWORD flags);
ATOM WINAPI TrimvaldRegisterClass(const WNDCLASSA* windowClass);
