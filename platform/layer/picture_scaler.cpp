// Fullscreen without a mode switch: the window covers the desktop, but the game draws the
// 800x600 picture it was written for (its viewport and projection assume the mode it asked
// for). It draws into a framebuffer object of that size, and the swap scales the picture to the
// desktop, 4:3 kept with black bars, linearly filtered.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

#include "platform/layer/layer.h"

namespace {

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
};

struct Scaler {
    LayerWindow* window = nullptr;  // the window whose picture is scaled, or nullptr
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
    int width = 0;
    int height = 0;
    bool unavailable = false;  // the driver has no framebuffer objects: never asked again
};

FramebufferCalls gl;
Scaler scaler;

template <typename Call>
bool Load(Call& call, const char* name)
{
    call = reinterpret_cast<Call>(layerHost.glFunction(name));
    return call != nullptr;
}

bool LoadCalls()
{
    if (gl.blitFramebuffer)
        return true;
    FramebufferCalls loaded;
    bool all = Load(loaded.genFramebuffers, "glGenFramebuffers") &&
               Load(loaded.deleteFramebuffers, "glDeleteFramebuffers") &&
               Load(loaded.bindFramebuffer, "glBindFramebuffer") &&
               Load(loaded.genRenderbuffers, "glGenRenderbuffers") &&
               Load(loaded.deleteRenderbuffers, "glDeleteRenderbuffers") &&
               Load(loaded.bindRenderbuffer, "glBindRenderbuffer") &&
               Load(loaded.renderbufferStorage, "glRenderbufferStorage") &&
               Load(loaded.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               Load(loaded.checkFramebufferStatus, "glCheckFramebufferStatus") &&
               Load(loaded.blitFramebuffer, "glBlitFramebuffer");
    // An entry point can exist without the driver supporting it.
    if (!all || !(layerHost.glExtension("GL_ARB_framebuffer_object") ||
                  layerHost.glExtension("GL_EXT_framebuffer_blit")))
        return false;
    gl = loaded;
    return true;
}

void DeleteObjects()
{
    if (scaler.framebuffer) {
        gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
        gl.deleteFramebuffers(1, &scaler.framebuffer);
    }
    if (scaler.colour)
        gl.deleteRenderbuffers(1, &scaler.colour);
    if (scaler.depth)
        gl.deleteRenderbuffers(1, &scaler.depth);
    scaler.framebuffer = scaler.colour = scaler.depth = 0;
    scaler.window = nullptr;
}

// A framebuffer of the game's size with a depth buffer as deep as the window's own.
bool CreateObjects(LayerWindow* window)
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    scaler.width = window->clientWidth;
    scaler.height = window->clientHeight;
    gl.genRenderbuffers(1, &scaler.colour);
    gl.bindRenderbuffer(GL_RENDERBUFFER, scaler.colour);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, scaler.width, scaler.height);
    gl.genRenderbuffers(1, &scaler.depth);
    gl.bindRenderbuffer(GL_RENDERBUFFER, scaler.depth);
    gl.renderbufferStorage(GL_RENDERBUFFER, depthBits >= 24 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16,
                           scaler.width, scaler.height);
    gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.genFramebuffers(1, &scaler.framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, scaler.framebuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, scaler.colour);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, scaler.depth);
    scaler.window = window;
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
        return true;
    DeleteObjects();
    return false;
}

}  // namespace

LayerRect LayerPictureRect(int pictureWidth, int pictureHeight, int drawableWidth,
                           int drawableHeight)
{
    LayerRect rect;
    rect.w = drawableWidth;
    rect.h = drawableHeight;
    if ((long)drawableWidth * pictureHeight > (long)drawableHeight * pictureWidth)
        rect.w = (int)((long)drawableHeight * pictureWidth / pictureHeight);
    else
        rect.h = (int)((long)drawableWidth * pictureHeight / pictureWidth);
    rect.x = (drawableWidth - rect.w) / 2;
    rect.y = (drawableHeight - rect.h) / 2;
    return rect;
}

void LayerScalerUpdate(LayerWindow* window)
{
    bool wanted = window && window->scaled && window->fullscreen;
    if (!wanted) {
        if (scaler.window)
            DeleteObjects();
        return;
    }
    if (scaler.window == window || scaler.unavailable)
        return;
    if (scaler.window)
        DeleteObjects();
    if (LoadCalls() && CreateObjects(window))
        return;
    // Without framebuffer objects the picture cannot be scaled: the game gets an 800x600
    // window in the middle of the desktop instead of a corner of a fullscreen one.
    scaler.unavailable = true;
    std::fprintf(stderr, "Тримвальд: the OpenGL driver cannot scale the picture, "
                         "playing in a window instead of fullscreen\n");
    layerHost.windowedCentred(window->machineWindow);
}

void LayerScalerPresent(LayerWindow* window)
{
    if (!scaler.window || scaler.window != window)
        return;
    int drawableWidth = 0, drawableHeight = 0;
    layerHost.drawableSize(window->machineWindow, &drawableWidth, &drawableHeight);
    LayerRect to = LayerPictureRect(scaler.width, scaler.height, drawableWidth, drawableHeight);

    // The bars are cleared black without disturbing the game's clear colour, colour mask or
    // scissor, which the next frame relies on.
    GLfloat clearColour[4];
    GLboolean colourMask[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, scaler.framebuffer);
    gl.blitFramebuffer(0, 0, scaler.width, scaler.height, to.x, to.y, to.x + to.w, to.y + to.h,
                       GL_COLOR_BUFFER_BIT, GL_LINEAR);
    gl.bindFramebuffer(GL_FRAMEBUFFER, scaler.framebuffer);

    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glColorMask(colourMask[0], colourMask[1], colourMask[2], colourMask[3]);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

void LayerScalerRelease()
{
    if (scaler.window)
        DeleteObjects();
}

void LayerScalerForget()
{
    scaler = Scaler();
}
