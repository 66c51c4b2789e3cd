// The desktop host's message box: a real dialog through SDL. Where SDL cannot show one, for
// whatever reason (no display, or an X server without the core fonts SDL's X11 dialog draws
// with), the text goes to stderr and the default button answers: a dialog the player never saw
// must not answer No for them.
#include <cstdio>

#include "platform/desktop/desktop.h"

static int DefaultAnswer(UINT type)
{
    return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
}

static Uint32 DialogFlags(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONSTOP:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

int DesktopMessageBox(const std::string& text, const std::string& caption, UINT type)
{
    // Return answers Yes and Escape answers No, as on Windows. SDL lists buttons right to left
    // on some back-ends, so each button carries its own answer.
    SDL_MessageBoxButtonData yesNo[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Да"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "Нет"},
    };
    SDL_MessageBoxButtonData ok[1] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
    };
    bool isYesNo = (type & 0xF) == MB_YESNO;
    SDL_MessageBoxData data = {};
    data.flags = DialogFlags(type);
    data.window = nullptr;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = isYesNo ? 2 : 1;
    data.buttons = isYesNo ? yesNo : ok;

    int answer = 0;
    DesktopDialogShowing(true);
    int shown = SDL_ShowMessageBox(&data, &answer);
    DesktopDialogShowing(false);
    if (shown == 0) {
        if (answer > 0)
            return answer;
        if (answer == -1)  // the player closed it without a button: the Escape answer
            return isYesNo ? IDNO : IDOK;
    }
    int fallback = DefaultAnswer(type);
    std::fprintf(stderr, "%s: %s [%s]\n", caption.c_str(), text.c_str(), fallback == IDYES ? "yes" : "ok");
    return fallback;
}
