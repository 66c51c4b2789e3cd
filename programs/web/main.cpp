// The game's entry in the browser, where the program is composed: the page's host, the session
// recorder when the page asks for it (index.html?record), then WinMain as Windows would call it.
// At the end the page is told, and offered the recording. A recording the page watches
// (index.html?watch=FILE, or a file dropped on the page) comes as --watch FILE [SHOTS] instead:
// it plays on the scripted host, shown in the page (programs/web/watch.cpp).
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/web/web_host.h"
#include "programs/game/command_line.h"
#include "programs/web/watch.h"
#include "tools/record/recorder.h"

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--watch") {
        LayerSetDefaultHost(WebHost());
        WebStart();
        int code = WatchInPage(argv[2], argc >= 4 ? argv[3] : "");
        LayerEnd();
        return code;
    }
    std::string recordPath, why;
    GameRequest request;
    if (!ParseGameCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), request,
                              recordPath, why) ||
        request != GameRequest::Play) {
        std::fprintf(stderr, "trimvald: %s\n", why.empty() ? "nothing to play" : why.c_str());
        WebGameEnded(2);
        return 2;
    }
    LayerSetDefaultHost(WebHost());
    WebStart();
    bool recording = false;
    if (!recordPath.empty()) {
        std::string error;
        recording = StartRecording(recordPath, error);
        if (!recording)
            std::fprintf(stderr, "Тримвальд: %s; the game is played without recording\n", error.c_str());
    }
    char commandLine[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW);
    if (recording) {
        FinishRecording();
        WebOfferDownload(recordPath.c_str());
    }
    LayerEnd();
    WebGameEnded(code);
    return code;
}
