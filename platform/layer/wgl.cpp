// Device context, pixel format, rendering context and buffer swap, over the host's OpenGL.
#include <GL/gl.h>

#include "platform/layer/layer.h"

// The one pixel format the layer offers: double-buffered RGBA drawn to a window, with depth.
static const int windowPixelFormat = 1;

// The context made current last through wglMakeCurrent, or nullptr.
static LayerGLContext* currentContext = nullptr;

HDC WINAPI GetDC(HWND window)
{
    if (LayerFails("GetDC") || !window || window != layerWindow)
        return nullptr;
    // The class has a private DC: every call returns the same one.
    if (!window->dc) {
        window->dc = new LayerDC;
        window->dc->window = window;
    }
    return window->dc;
}

int WINAPI ReleaseDC(HWND window, HDC dc)
{
    if (LayerFails("ReleaseDC") || !window || !dc || dc->window != window)
        return 0;
    return 1;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor)
{
    if (LayerFails("ChoosePixelFormat") || !dc || !descriptor)
        return 0;
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((descriptor->dwFlags & needed) != needed || descriptor->iPixelType != PFD_TYPE_RGBA)
        return 0;
    return windowPixelFormat;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*)
{
    // A window's pixel format can be set only once.
    if (LayerFails("SetPixelFormat") || !dc || format != windowPixelFormat || dc->pixelFormat)
        return FALSE;
    dc->pixelFormat = format;
    return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc)
{
    if (LayerFails("wglCreateContext") || !dc || !dc->pixelFormat || !dc->window->machineWindow)
        return nullptr;
    HostContext* machineContext = layerHost.createContext(dc->window->machineWindow);
    if (!machineContext) {
        LayerNoteRefusal("the OpenGL context cannot be made");
        return nullptr;
    }
    LayerGLContext* context = new LayerGLContext;
    context->machineContext = machineContext;
    context->window = dc->window;
    return context;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context)
{
    if (LayerFails("wglMakeCurrent"))
        return FALSE;
    if (!context) {
        LayerScalerRelease();
        layerHost.releaseCurrent();
        currentContext = nullptr;
        return TRUE;
    }
    if (!dc || dc->window != context->window || !dc->pixelFormat)
        return FALSE;
    if (!layerHost.makeCurrent(dc->window->machineWindow, context->machineContext)) {
        LayerNoteRefusal("the OpenGL context cannot be made current");
        return FALSE;
    }
    if (!context->bufferingKnown) {
        GLboolean doubleBuffered = GL_TRUE;
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        context->singleBuffered = doubleBuffered == GL_FALSE;
        context->bufferingKnown = true;
    }
    currentContext = context;
    LayerScalerUpdate(dc->window);
    return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context)
{
    if (LayerFails("wglDeleteContext") || !context)
        return FALSE;
    if (layerHost.currentContext() == context->machineContext) {
        LayerScalerRelease();
        layerHost.releaseCurrent();
    }
    if (currentContext == context)
        currentContext = nullptr;
    layerHost.deleteContext(context->machineContext);
    delete context;
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc)
{
    if (!dc || !dc->window || !dc->window->machineWindow)
        return FALSE;
    layerHost.beforeSwap();
    LayerScalerPresent(dc->window);
    layerHost.swap(dc->window->machineWindow);
    // Without a second buffer the swap does nothing, and the driver would keep queueing every
    // frame's commands (about 2 MB a frame under llvmpipe). The frame is finished here, not
    // only flushed: a flush leaves a few frames in flight, a hundred megabytes more.
    if (currentContext && currentContext->singleBuffered)
        glFinish();
    LayerScalerUpdate(dc->window);
    return TRUE;
}
