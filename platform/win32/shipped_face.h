// Windows only: the HUD's narrow face that the game ships in Data\Fonts, for a Windows that lacks
// the face the game asks for (Haettenschweiler comes only with some office suites). The font is
// added for this process alone, and a font asked for by a face that is not installed gets it.
#pragma once

#include <windows.h>

HFONT WINAPI TrimvaldCreateFont(int height, int width, int escapement, int orientation, int weight,
                                DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                                DWORD pitchAndFamily, LPCSTR faceName);
