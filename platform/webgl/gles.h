// OpenGL ES 2.0 for the layer, and the OpenGL 1.1 and GLU names the game passes that OpenGL
// ES's header lacks, with the values OpenGL gives them.
#pragma once

#include <GLES2/gl2.h>

// In the browser the names OpenGL ES shares with OpenGL 1.1 are the game's, which
// browser_names.cpp gives to this layer: the layer reaches WebGL's own calls by the second names
// emscripten gives them.
#ifdef __EMSCRIPTEN__
#include <webgl/webgl1.h>
#define glBindTexture emscripten_glBindTexture
#define glBlendFunc emscripten_glBlendFunc
#define glClear emscripten_glClear
#define glClearColor emscripten_glClearColor
#define glDepthFunc emscripten_glDepthFunc
#define glDisable emscripten_glDisable
#define glEnable emscripten_glEnable
#define glFlush emscripten_glFlush
#define glGenTextures emscripten_glGenTextures
#define glGetBooleanv emscripten_glGetBooleanv
#define glGetIntegerv emscripten_glGetIntegerv
#define glGetString emscripten_glGetString
#define glPixelStorei emscripten_glPixelStorei
#define glTexImage2D emscripten_glTexImage2D
#define glTexParameteri emscripten_glTexParameteri
#define glViewport emscripten_glViewport
#endif

#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504
#define GL_LIST_BASE 0x0B32
#define GL_DOUBLEBUFFER 0x0C32
#define GL_LIGHTING 0x0B50
#define GL_COLOR_MATERIAL 0x0B57
#define GL_MATRIX_MODE 0x0BA0
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_POSITION 0x1203
#define GL_COMPILE 0x1300
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_LIGHT0 0x4000
#define GL_LIST_BIT 0x00020000

#define GLU_INVALID_ENUM 100900
#define GLU_INVALID_VALUE 100901
#define GLU_SMOOTH 100000
