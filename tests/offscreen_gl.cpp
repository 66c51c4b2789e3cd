#include "tests/offscreen_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

struct OffscreenGl {
    EGLDisplay display;
    EGLContext context;
    int width, height;
};

// Mesa's surfaceless platform: no window system needed, the drawing goes to framebuffer objects.
static EGLDisplay Display(std::string& why)
{
    static EGLDisplay display = EGL_NO_DISPLAY;
    if (display != EGL_NO_DISPLAY)
        return display;
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay made = getPlatformDisplay
        ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr) : EGL_NO_DISPLAY;
    if (made == EGL_NO_DISPLAY || !eglInitialize(made, nullptr, nullptr)) {
        why = "EGL has no surfaceless display";
        return EGL_NO_DISPLAY;
    }
    return display = made;
}

OffscreenGl* MakeOffscreenGl(bool desktop, int width, int height, std::string& why)
{
    EGLDisplay display = Display(why);
    if (display == EGL_NO_DISPLAY)
        return nullptr;
    const EGLint es2[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context = EGL_NO_CONTEXT;
    if (eglBindAPI(desktop ? EGL_OPENGL_API : EGL_OPENGL_ES_API))
        context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, desktop ? nullptr : es2);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        why = desktop ? "EGL makes no desktop OpenGL context" : "EGL makes no OpenGL ES 2.0 context";
        return nullptr;
    }
    // Colour in a texture, depth in a 24-bit renderbuffer (OpenGL ES 2.0 needs OES_depth24 for
    // that, which Mesa has): the depth a desktop's or a browser's window has.
    GLuint framebuffer, color, depth;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenTextures(1, &color);
    glBindTexture(GL_TEXTURE_2D, color);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24_OES, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        why = "no framebuffer with colour and 24-bit depth";
        return nullptr;
    }
    return new OffscreenGl{display, context, width, height};
}

void UseOffscreenGl(OffscreenGl* context)
{
    eglMakeCurrent(context->display, EGL_NO_SURFACE, EGL_NO_SURFACE, context->context);
}

std::vector<unsigned char> ReadOffscreenGl(OffscreenGl* context)
{
    UseOffscreenGl(context);
    std::vector<unsigned char> pixels((size_t)context->width * context->height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, context->width, context->height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void FreeOffscreenGl(OffscreenGl* context)
{
    if (!context)
        return;
    eglMakeCurrent(context->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(context->display, context->context);
    delete context;
}
