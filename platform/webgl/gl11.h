// OpenGL 1.1 and GLU for the browser: the fixed-function calls the game makes, drawn over
// OpenGL ES 2.0 (WebGL 1), which has no immediate mode, matrices, lists, lighting or GLU.
//
// Each call does what the OpenGL or GLU call of the same name without the prefix does, for the
// modes, capabilities and parameters the game uses, each noted below. Anything else is refused
// and noted for Gl11GetError, never drawn some other way. Left out, as the game never uses them:
// matrix push and pop and the texture matrix, flat shading, glMaterial, highlights and emitted
// light, attenuated lights and spotlights, attribute groups other than the list base, lists
// compiled and run at once, uploads inside a list, textures that are not RGB or RGBA bytes of
// power-of-two sides, and spheres without texture coordinates or smooth normals.
//
// The prefix lets a native test link these beside the system's OpenGL; in the browser build
// browser_names.cpp gives them the real names. The types are the plain C types OpenGL's names
// stand for (GLenum is unsigned, GLfloat float, GLdouble double), so that this header goes with
// either <GL/gl.h> or <GLES2/gl2.h>. An OpenGL ES 2.0 context must be current for every call.
#pragma once

// Immediate mode: GL_TRIANGLES, GL_QUADS and GL_QUAD_STRIP (the last for the spheres).
void Gl11Begin(unsigned mode);
void Gl11End();
void Gl11Vertex3f(float x, float y, float z);
void Gl11Vertex3fv(const float* v);
void Gl11Normal3f(float x, float y, float z);
void Gl11Normal3fv(const float* v);
void Gl11TexCoord2f(float s, float t);
void Gl11TexCoord2fv(const float* v);
void Gl11Color3f(float red, float green, float blue);
void Gl11Color4f(float red, float green, float blue, float alpha);

// The model-view and projection matrices.
void Gl11MatrixMode(unsigned mode);
void Gl11LoadIdentity();
void Gl11Translatef(float x, float y, float z);
void Gl11Rotatef(float angle, float x, float y, float z);
void Gl11Scalef(float x, float y, float z);
void Gl11Viewport(int x, int y, int width, int height);
void GluPerspective(double fovy, double aspect, double zNear, double zFar);

// Display lists, compiled (GL_COMPILE) and called, the text's with a base and byte names.
unsigned Gl11GenLists(int range);
void Gl11DeleteLists(unsigned list, int range);
void Gl11NewList(unsigned list, unsigned mode);
void Gl11EndList();
void Gl11CallList(unsigned list);
void Gl11CallLists(int n, unsigned type, const void* lists);
void Gl11ListBase(unsigned base);
// GL_LIST_BIT.
void Gl11PushAttrib(unsigned mask);
void Gl11PopAttrib();

// Capabilities: GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL,
// GL_LIGHT0 to GL_LIGHT7.
void Gl11Enable(unsigned cap);
void Gl11Disable(unsigned cap);
// GL_AMBIENT, GL_DIFFUSE and GL_POSITION.
void Gl11Lightfv(unsigned light, unsigned pname, const float* params);
void Gl11ShadeModel(unsigned mode);

// Textures: RGB or RGBA bytes, mipmaps built by box-filter halving.
void Gl11GenTextures(int n, unsigned* textures);
void Gl11BindTexture(unsigned target, unsigned texture);
void Gl11TexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                    int border, unsigned format, unsigned type, const void* pixels);
void Gl11TexParameteri(unsigned target, unsigned pname, int param);
void Gl11PixelStorei(unsigned pname, int param);
int GluBuild2DMipmaps(unsigned target, int internalFormat, int width, int height, unsigned format,
                      unsigned type, const void* data);

// The frame: blending, depth, clearing.
void Gl11BlendFunc(unsigned sfactor, unsigned dfactor);
void Gl11DepthFunc(unsigned func);
void Gl11Clear(unsigned mask);
void Gl11ClearColor(float red, float green, float blue, float alpha);
void Gl11ClearDepth(double depth);
void Gl11Hint(unsigned target, unsigned mode);
void Gl11Flush();
const unsigned char* Gl11GetString(unsigned name);
void Gl11GetIntegerv(unsigned pname, int* params);
// GL_DOUBLEBUFFER, which OpenGL ES cannot be asked: the browser presents the canvas's buffer
// whole, as a swap does. Anything else is OpenGL ES's answer.
void Gl11GetBooleanv(unsigned pname, unsigned char* params);

// Quadric spheres (GLU_SMOOTH normals, texture coordinates on or off, drawn filled).
struct Gl11Quadric;
Gl11Quadric* GluNewQuadric();
void GluDeleteQuadric(Gl11Quadric* quadric);
void GluQuadricNormals(Gl11Quadric* quadric, unsigned normals);
void GluQuadricTexture(Gl11Quadric* quadric, unsigned char textureCoords);
void GluSphere(Gl11Quadric* quadric, double radius, int slices, int stacks);

// The first call this layer could not carry out as OpenGL 1.1 would (a mode, capability or
// parameter the game never uses, a call out of place), as glGetError's code, and cleared.
unsigned Gl11GetError();

// Whether the frames' drawing reaches OpenGL ES (at first it does). Off, clearing and drawing do
// nothing, while everything else (matrices, lists, textures, capabilities) still takes effect:
// a frame no one will see costs nothing to draw, and the next one is drawn as it should be.
void Gl11SetDrawing(bool on);

// Forgets every list, texture record, matrix and setting, and the drawing program: the state of
// a new context. For a context that is made anew (the tests make one per run).
void Gl11Reset();
