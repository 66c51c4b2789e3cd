// The drawing calls the game makes, in the executable: each goes on to the system's function
// of the same name (the next definition after the executable's, in the libraries' load order)
// unless drawing is switched off. The list is exactly what the game, its outline font and GLU's
// spheres draw with: vertices and what goes with them, display lists called, the buffers cleared.
#include "platform/nullgl/null_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include <cstdio>

static bool drawNothing = false;

void NullGlDrawNothing(bool on)
{
    drawNothing = on;
}

// The system's function, looked up once. A name the system lacks (an OpenGL without it could not
// have been linked) is said once and then nothing is drawn through it.
template <typename Function>
static Function System(const char* name, Function& found)
{
    if (!found) {
        found = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
        if (!found)
            std::fprintf(stderr, "trimvald-replay: the system's OpenGL has no %s\n", name);
    }
    return found;
}

#define DRAWING_CALL(name, parameters, arguments)                          \
    extern "C" void GLAPIENTRY name parameters                             \
    {                                                                      \
        static void(GLAPIENTRY * system) parameters = nullptr;             \
        if (!drawNothing && System(#name, system))                         \
            system arguments;                                              \
    }

DRAWING_CALL(glBegin, (GLenum mode), (mode))
DRAWING_CALL(glEnd, (void), ())
DRAWING_CALL(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
DRAWING_CALL(glVertex3fv, (const GLfloat* v), (v))
DRAWING_CALL(glNormal3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
DRAWING_CALL(glNormal3fv, (const GLfloat* v), (v))
DRAWING_CALL(glTexCoord2f, (GLfloat s, GLfloat t), (s, t))
DRAWING_CALL(glTexCoord2fv, (const GLfloat* v), (v))
DRAWING_CALL(glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))
DRAWING_CALL(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))
DRAWING_CALL(glCallList, (GLuint list), (list))
DRAWING_CALL(glCallLists, (GLsizei n, GLenum type, const GLvoid* lists), (n, type, lists))
DRAWING_CALL(glClear, (GLbitfield mask), (mask))
DRAWING_CALL(gluSphere, (GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks),
             (quadric, radius, slices, stacks))
