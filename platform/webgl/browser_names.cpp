// The browser build's OpenGL and GLU: the names the game calls, each passed to this layer's
// call of the same name. Only the browser build compiles this file; a native program has the
// system's OpenGL under these names.
#include <GL/gl.h>
#include <GL/glu.h>
#include <emscripten/html5_webgl.h>

#include "platform/webgl/gl11.h"

// As OpenGL does, a call without a current context does nothing (the game's window procedure
// sets the viewport as soon as the window is made, before its context is); WebGL would throw.
// The vertices of immediate mode only gather on our side, and the quadric objects hold no GL.
static bool ContextCurrent()
{
    return emscripten_webgl_get_current_context() != 0;
}

static Gl11Quadric* Quadric(GLUquadric* quadric)
{
    return reinterpret_cast<Gl11Quadric*>(quadric);
}

extern "C" {
void glBegin(GLenum mode) { if (!ContextCurrent()) return; Gl11Begin(mode); }
void glEnd() { if (!ContextCurrent()) return; Gl11End(); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Gl11Vertex3f(x, y, z); }
void glVertex3fv(const GLfloat* v) { Gl11Vertex3fv(v); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { Gl11Normal3f(x, y, z); }
void glNormal3fv(const GLfloat* v) { Gl11Normal3fv(v); }
void glTexCoord2f(GLfloat s, GLfloat t) { Gl11TexCoord2f(s, t); }
void glTexCoord2fv(const GLfloat* v) { Gl11TexCoord2fv(v); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Gl11Color3f(r, g, b); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { Gl11Color4f(r, g, b, a); }

void glMatrixMode(GLenum mode) { if (!ContextCurrent()) return; Gl11MatrixMode(mode); }
void glLoadIdentity() { if (!ContextCurrent()) return; Gl11LoadIdentity(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { if (!ContextCurrent()) return; Gl11Translatef(x, y, z); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { if (!ContextCurrent()) return; Gl11Rotatef(angle, x, y, z); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { if (!ContextCurrent()) return; Gl11Scalef(x, y, z); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { if (!ContextCurrent()) return; Gl11Viewport(x, y, width, height); }
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) { if (!ContextCurrent()) return; GluPerspective(fovy, aspect, zNear, zFar); }

GLuint glGenLists(GLsizei range) { if (!ContextCurrent()) return 0; return Gl11GenLists(range); }
void glDeleteLists(GLuint list, GLsizei range) { if (!ContextCurrent()) return; Gl11DeleteLists(list, range); }
void glNewList(GLuint list, GLenum mode) { if (!ContextCurrent()) return; Gl11NewList(list, mode); }
void glEndList() { if (!ContextCurrent()) return; Gl11EndList(); }
void glCallList(GLuint list) { if (!ContextCurrent()) return; Gl11CallList(list); }
void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) { if (!ContextCurrent()) return; Gl11CallLists(n, type, lists); }
void glListBase(GLuint base) { if (!ContextCurrent()) return; Gl11ListBase(base); }
void glPushAttrib(GLbitfield mask) { if (!ContextCurrent()) return; Gl11PushAttrib(mask); }
void glPopAttrib() { if (!ContextCurrent()) return; Gl11PopAttrib(); }

void glEnable(GLenum cap) { if (!ContextCurrent()) return; Gl11Enable(cap); }
void glDisable(GLenum cap) { if (!ContextCurrent()) return; Gl11Disable(cap); }
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) { if (!ContextCurrent()) return; Gl11Lightfv(light, pname, params); }
void glShadeModel(GLenum mode) { if (!ContextCurrent()) return; Gl11ShadeModel(mode); }

void glGenTextures(GLsizei n, GLuint* textures) { if (!ContextCurrent()) return; Gl11GenTextures(n, textures); }
void glBindTexture(GLenum target, GLuint texture) { if (!ContextCurrent()) return; Gl11BindTexture(target, texture); }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (!ContextCurrent())
        return;
    Gl11TexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) { if (!ContextCurrent()) return; Gl11TexParameteri(target, pname, param); }
void glPixelStorei(GLenum pname, GLint param) { if (!ContextCurrent()) return; Gl11PixelStorei(pname, param); }
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data)
{
    if (!ContextCurrent())
        return GLU_INVALID_OPERATION;
    return GluBuild2DMipmaps(target, internalFormat, width, height, format, type, data);
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) { if (!ContextCurrent()) return; Gl11BlendFunc(sfactor, dfactor); }
void glDepthFunc(GLenum func) { if (!ContextCurrent()) return; Gl11DepthFunc(func); }
void glClear(GLbitfield mask) { if (!ContextCurrent()) return; Gl11Clear(mask); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { if (!ContextCurrent()) return; Gl11ClearColor(r, g, b, a); }
void glClearDepth(GLclampd depth) { if (!ContextCurrent()) return; Gl11ClearDepth(depth); }
void glHint(GLenum target, GLenum mode) { if (!ContextCurrent()) return; Gl11Hint(target, mode); }
void glFlush() { if (!ContextCurrent()) return; Gl11Flush(); }
const GLubyte* glGetString(GLenum name) { if (!ContextCurrent()) return nullptr; return Gl11GetString(name); }
void glGetIntegerv(GLenum pname, GLint* params) { if (!ContextCurrent()) return; Gl11GetIntegerv(pname, params); }
void glGetBooleanv(GLenum pname, GLboolean* params) { if (!ContextCurrent()) return; Gl11GetBooleanv(pname, params); }

GLUquadric* gluNewQuadric() { return reinterpret_cast<GLUquadric*>(GluNewQuadric()); }
void gluDeleteQuadric(GLUquadric* quadric) { GluDeleteQuadric(Quadric(quadric)); }
void gluQuadricNormals(GLUquadric* quadric, GLenum normals) { GluQuadricNormals(Quadric(quadric), normals); }
void gluQuadricTexture(GLUquadric* quadric, GLboolean texture) { GluQuadricTexture(Quadric(quadric), texture); }
void gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) { if (!ContextCurrent()) return; GluSphere(Quadric(quadric), radius, slices, stacks); }
}
