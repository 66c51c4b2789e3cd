// What the page is handed while it shows a watched recording: the pictures it asked for, and
// what came of the watching.
#include <emscripten.h>

#include "platform/web/web.h"

// WebGL's own read of the drawing buffer, before the swap gives the browser its turn (the
// buffer is not kept after it): RGBA rows from the bottom, the canvas's size.
EM_JS(int, WebPagePicture, (int frame), {
    const gl = typeof GLctx !== 'undefined' ? GLctx : null;
    if (!gl || !Module.page || !Module.page.picture)
        return 0;
    const width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
    const bytes = new Uint8Array(width * height * 4);
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, bytes);
    Module.page.picture(frame, width, height, bytes);
    return 1;
});

bool WebOfferPicture(int frame)
{
    return WebPagePicture(frame) != 0;
}

EM_JS(void, WebPageWatched, (const char* outcome), {
    if (Module.page && Module.page.watched)
        Module.page.watched(JSON.parse(UTF8ToString(outcome)));
});

void WebWatchEnded(const std::string& outcome)
{
    WebPageWatched(outcome.c_str());
}
