// The game's process entry on Linux, where the program is composed: the player's desktop, the
// player's settings, the session recorder when asked for, the data folder, then WinMain as
// Windows would call it. Its one option records the session as a replay script; --settings
// tells the settings.
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

// `trimvald --settings`: where the file is (written with the defaults where there was none),
// and the settings in force.
static int TellSettings()
{
    bool written = false;
    std::string error;
    if (!DesktopWriteDefaultSettings(written, error))
        std::fprintf(stderr, "trimvald: cannot write the default settings: %s\n", error.c_str());
    std::printf("# %s%s\n", DesktopSettingsPath().c_str(),
                written ? " (written now, with the defaults)" : "");
    std::fputs(DesktopSettingsInForce().c_str(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) && error.empty() ? 0 : 1;
}

int main(int argc, char** argv)
{
    std::string recordPath, why;
    GameRequest request;
    if (!ParseGameCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), request,
                              recordPath, why)) {
        std::fprintf(stderr, "trimvald: %s\n%s", why.c_str(), gameUsageText);
        return 2;
    }
    if (request == GameRequest::Help || request == GameRequest::Version) {
        std::fputs(request == GameRequest::Help ? gameUsageText : gameVersionText, stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    // The player's settings file, read once; what is wrong in it is said and the game starts.
    for (const std::string& problem : DesktopLoadSettings())
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (request == GameRequest::Settings)
        return TellSettings();
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
