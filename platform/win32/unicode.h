// Windows only: the game's texts are Windows-1251 bytes, but the ANSI calls read them in the
// system's own code page, which is not 1251 outside Russian Windows. The game's message boxes
// and its window caption go through these instead, which turn the bytes into UTF-16 first.
#pragma once

#include <windows.h>

#include "platform/win32/utf16.h"

int WINAPI TrimvaldMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HWND WINAPI TrimvaldCreateWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                                 int x, int y, int width, int height, HWND parent, HMENU menu,
                                 HINSTANCE instance, LPVOID param);

// The game's code keeps calling the ANSI names.
#define MessageBoxA TrimvaldMessageBox
#define CreateWindowExA TrimvaldCreateWindow
