// The player's settings in the page: the text of a settings file, kept by the page in the
// browser's storage (the page's panel edits it), read once as the game starts. What is wrong in
// it is said on the console and in the panel, and the defaults stand for that setting; the page
// is handed the commented default file to show where nothing is stored.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls/controls.h"
#include "platform/web/web.h"

// The stored text (malloc'd, for us to free), or null where nothing is stored.
EM_JS(char*, WebStoredSettings, (), {
    const text = Module.page && Module.page.storedSettings ? Module.page.storedSettings() : null;
    if (text === null || text === undefined)
        return 0;
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});

EM_JS(void, WebPageSettings, (const char* defaults, const char* problems), {
    if (Module.page && Module.page.settings) {
        const said = UTF8ToString(problems);
        Module.page.settings(UTF8ToString(defaults), said ? said.split('\n') : []);
    }
});

// The name the panel's messages give the stored text.
static const char storedName[] = "settings.ini";

void WebLoadSettings()
{
    std::string problems;
    if (char* stored = WebStoredSettings()) {
        ControlsFileRead read = ControlsReadText(stored, storedName);
        std::free(stored);
        ControlsInstall(read.settings);
        for (const std::string& problem : read.problems) {
            std::fprintf(stderr, "Тримвальд: %s\n", problem.c_str());
            problems += (problems.empty() ? "" : "\n") + problem;
        }
    } else {
        ControlsInstall(ControlsDefaults());
    }
    WebPageSettings(ControlsDefaultFileText().c_str(), problems.c_str());
}
