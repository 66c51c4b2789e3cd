// The desktop host's message box: a real dialog through SDL. Where SDL cannot show one, for
// whatever reason (no display, or an X server without the core fonts SDL's X11 dialog draws
// with), the text goes to stderr and the default button answers: a dialog the player never saw
// must not answer No for them.
#include <langinfo.h>
#include <locale.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/desktop/desktop.h"

// Whether the locale the environment names can show any character: SDL's X11 dialog takes its
// locale from the environment while it is shown, and under C, POSIX or a locale that is not
// installed it draws no Cyrillic letter, which leaves an empty box without buttons.
static bool EnvironmentLocaleIsUtf8()
{
    std::string before = setlocale(LC_CTYPE, nullptr);
    const char* taken = setlocale(LC_CTYPE, "");
    bool utf8 = taken && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    setlocale(LC_CTYPE, before.c_str());
    return utf8;
}

// For the dialog's time the environment names C.UTF-8 (on every current glibc system) where its
// own locale cannot show the texts; the player's settings are back as they were afterwards.
struct Utf8Environment {
    bool changed = false;
    bool hadValue = false;
    std::string value;

    Utf8Environment()
    {
        if (EnvironmentLocaleIsUtf8())
            return;
        std::string before = setlocale(LC_CTYPE, nullptr);
        bool available = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
        setlocale(LC_CTYPE, before.c_str());
        if (!available)
            return;
        const char* old = std::getenv("LC_ALL");
        hadValue = old != nullptr;
        value = old ? old : "";
        changed = setenv("LC_ALL", "C.UTF-8", 1) == 0;
    }
    ~Utf8Environment()
    {
        if (changed && hadValue)
            setenv("LC_ALL", value.c_str(), 1);
        else if (changed)
            unsetenv("LC_ALL");
    }
};

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
    int shown;
    {
        Utf8Environment readable;
        shown = SDL_ShowMessageBox(&data, &answer);
    }
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
