// The one platform header of the game: the real Windows API on Windows, our layer elsewhere,
// and OpenGL 1.1 with GLU on both.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#include "platform/win32/unicode.h"
#else
#include "platform/winapi/winapi.h"
#endif

#include <GL/gl.h>
#include <GL/glu.h>
