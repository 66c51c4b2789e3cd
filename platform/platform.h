// The one platform header of the game: the real Windows API on Windows, our layer elsewhere,
// and OpenGL 1.1 with GLU on both.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#include "platform/win32/capture.h"
#include "platform/win32/settings_file.h"
#include "platform/win32/shipped_face.h"
#include "platform/win32/unicode.h"
// The calls a session recorder watches, made through the capture's wrappers.
#define PeekMessageA TrimvaldPeekMessage
#define GetCursorPos TrimvaldGetCursorPos
#define ChangeDisplaySettingsA TrimvaldChangeDisplaySettings
#define PlaySoundA TrimvaldPlaySound
#define RegisterClassA TrimvaldRegisterClass
// The face the game asks for, or the one it ships where that is missing.
#define CreateFontA TrimvaldCreateFont
// Windows 10 1803 and later; older systems refuse the flag, and the game sleeps by the
// millisecond there.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
#else
#include "platform/layer/winapi.h"
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/input.h"
