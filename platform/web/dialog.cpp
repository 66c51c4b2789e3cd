// The web host's message box: the page's modal <dialog>, its buttons labelled as the game's
// (Да and Нет, or OK), the default one focused so that Enter answers it, and Escape answering
// as it does on Windows (No, or OK). The game waits for the answer; the browser goes on.
#include <emscripten.h>

#include "platform/web/web.h"

EM_ASYNC_JS(int, WebPageDialog, (const char* text, const char* caption, int yesNo, int icon), {
    if (!Module.page || !Module.page.dialog)
        return 0;
    return await Module.page.dialog(UTF8ToString(text), UTF8ToString(caption), !!yesNo, icon);
});

int WebMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    const bool yesNo = (style & 0xF) == MB_YESNO;
    const int icon = (style & 0xF0) == MB_ICONSTOP ? 2 : (style & 0xF0) == MB_ICONEXCLAMATION ? 1 : 0;
    WebDialogShowing(true);
    int answer = WebPageDialog(text.c_str(), caption.c_str(), yesNo ? 1 : 0, icon);
    WebDialogShowing(false);
    if (answer == IDYES || answer == IDNO || answer == IDOK)
        return answer;
    return yesNo ? IDYES : IDOK;
}
