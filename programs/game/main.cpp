// The game's process entry on Linux, where the program is composed: the player's desktop, the
// session recorder when asked for, the data folder, then WinMain as Windows would call it. Its
// one option records the session as a replay script.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/desktop/desktop_host.h"
#include "platform/host.h"
#include "programs/game/command_line.h"
#include "tools/record/recorder.h"

int main(int argc, char** argv)
{
    std::string recordPath, why;
    GameRequest request;
    if (!ParseGameCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), request,
                              recordPath, why)) {
        std::fprintf(stderr, "trimvald: %s\n%s", why.c_str(), gameUsageText);
        return 2;
    }
    if (request != GameRequest::Play) {
        std::fputs(request == GameRequest::Help ? gameUsageText : gameVersionText, stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    // The game plays on the player's machine.
    LayerSetDefaultHost(DesktopHost());
    DesktopStart();
    // The recording's path is taken from where the player stands, before the game moves to its
    // data folder.
    if (!recordPath.empty()) {
        std::string error;
        if (!StartRecording(recordPath, error))
            std::fprintf(stderr, "Тримвальд: %s; the game is played without recording\n", error.c_str());
    }
    // A folder without Data/ ends in the game's own message about the first missing texture.
    std::string folder = DesktopDataFolder(DesktopExecutablePath(argc > 0 ? argv[0] : nullptr));
    if (folder != "." && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "Тримвальд: cannot enter %s: %s\n", folder.c_str(), std::strerror(errno));
    // The game's command line is not its business: it gets none.
    char commandLine[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW);
    FinishRecording();
    LayerEnd();
    return code;
}
