// The web host's window and OpenGL: the page's canvas and a WebGL 1 context on it, through
// emscripten's bindings. The canvas keeps the game's size in pixels; the page scales it, 4:3, to
// the room it has (in fullscreen, to the screen).
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/web.h"
#include "platform/webgl/gl11.h"

// The page's canvas.
static const char canvasTarget[] = "#canvas";

struct HostWindow {
    int width = 0;
    int height = 0;
};
struct HostContext {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = 0;
};

static HostWindow theWindow;
static bool windowMade = false;
static HostContext* current = nullptr;

EM_JS(void, WebPageShowGame, (const char* caption, int shown), {
    if (Module.page && Module.page.showGame)
        Module.page.showGame(UTF8ToString(caption), !!shown);
});

static std::string windowCaption;

static HostWindow* CreateWindow(const std::string& caption, int, int, int width, int height, bool, bool)
{
    // One canvas: one window at a time.
    if (windowMade)
        return nullptr;
    if (emscripten_set_canvas_element_size(canvasTarget, width, height) != EMSCRIPTEN_RESULT_SUCCESS)
        return nullptr;
    windowMade = true;
    windowCaption = caption;
    theWindow.width = width;
    theWindow.height = height;
    return &theWindow;
}

static void DestroyWindow(HostWindow*)
{
    WebPageShowGame(windowCaption.c_str(), 0);
    windowMade = false;
}

static void ShowWindow(HostWindow*, bool shown)
{
    WebPageShowGame(windowCaption.c_str(), shown ? 1 : 0);
}

static void DrawableSize(HostWindow* window, int* width, int* height)
{
    *width = window->width;
    *height = window->height;
}

// No blending with the page, a depth buffer, no smoothing of edges (the desktop's pixel format
// has none) and a fresh buffer every frame: the game draws each one whole.
static HostContext* CreateContext(HostWindow*)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = emscripten_webgl_create_context(canvasTarget, &attributes);
    if (handle <= 0)
        return nullptr;
    HostContext* context = new HostContext;
    context->handle = handle;
    return context;
}

static bool MakeCurrent(HostWindow*, HostContext* context)
{
    if (emscripten_webgl_make_context_current(context->handle) != EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    current = context;
    return true;
}

static void ReleaseCurrent()
{
    emscripten_webgl_make_context_current(0);
    current = nullptr;
}

static HostContext* CurrentContext()
{
    return current;
}

static void DeleteContext(HostContext* context)
{
    if (current == context)
        ReleaseCurrent();
    emscripten_webgl_destroy_context(context->handle);
    delete context;
}

// The page may keep the time of every swap (index.html?frames), for the benchmark's frame gaps.
EM_JS(void, WebPageSwapped, (), {
    if (Module.page && Module.page.frames)
        Module.page.frames.push(performance.now());
});

// The browser takes the canvas's picture once a refresh of the screen (60 times a second, as a
// rule), and the game draws 100 frames a second: a frame drawn while the last one drawn has not
// been taken yet would only replace it unseen, and its drawing would hold up the one that is
// seen (a software rasteriser shares the processor with the game). So a frame is drawn only
// once the browser has taken the last one drawn (a refresh has begun since, which the page's
// animation-frame callback notes); the game's frames, its state and its timing are the same
// either way.
EM_JS(double, WebPageLastRefresh, (), {
    if (!Module.trimvaldRefresh) {
        Module.trimvaldRefresh = -1;
        const note = () => { Module.trimvaldRefresh = performance.now(); requestAnimationFrame(note); };
        requestAnimationFrame(note);
    }
    return Module.trimvaldRefresh;
});

static bool drawingFrame = true;
static bool everyFrame = false;
static double lastDrawnSwap = 0.0;  // when the last frame drawn was swapped

// The browser shows what was drawn when the game's task gives way.
static void Swap(HostWindow*)
{
    WebPageSwapped();
    if (drawingFrame)
        lastDrawnSwap = WebNow();
    WebYieldOnce();
    drawingFrame = everyFrame || WebPageLastRefresh() >= lastDrawnSwap;
    Gl11SetDrawing(drawingFrame);
}

void WebShowRecording()
{
    everyFrame = true;
    WebLeavePointer();
}

// The browser shows frames at its own pace and never holds a swap.
static bool SetSwapInterval(int interval)
{
    return interval == 0;
}

static int SwapInterval()
{
    return 0;
}

static std::string RefusalReason()
{
    return "the browser gives no WebGL";
}

void WebFillVideo(LayerHost& host)
{
    host.refusalReason = RefusalReason;
    host.createWindow = CreateWindow;
    host.destroyWindow = DestroyWindow;
    host.showWindow = ShowWindow;
    host.drawableSize = DrawableSize;
    host.createContext = CreateContext;
    host.makeCurrent = MakeCurrent;
    host.releaseCurrent = ReleaseCurrent;
    host.currentContext = CurrentContext;
    host.deleteContext = DeleteContext;
    host.swap = Swap;
    host.setSwapInterval = SetSwapInterval;
    host.swapInterval = SwapInterval;
}

EM_JS(int, WebPageFullscreenAvailable, (), {
    return document.fullscreenEnabled ? 1 : 0;
});

bool WebFullscreenAvailable()
{
    return WebPageFullscreenAvailable() != 0;
}

// Asked from the player's answer to the start question (a click or a key, which the browser
// requires); where the browser refuses, the game plays in the page. The keyboard lock lets
// Escape reach the game instead of leaving fullscreen.
EM_JS(void, WebPageFullscreen, (int on), {
    if (Module.page && Module.page.fullscreen)
        Module.page.fullscreen(!!on);
});

void WebSetFullscreen(bool on)
{
    WebPageFullscreen(on ? 1 : 0);
}
