// The game's process entry on Linux, where the program is composed: the player's desktop, the
// session recorder when asked for, the data folder, then WinMain as Windows would call it. Its
// one option records the session as a replay script.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host.h"
#include "tools/record/recorder.h"

static const char usageText[] = "usage: trimvald [--record FILE]\n"
                                "  --record FILE   the session written to FILE as a replay script\n";

// The recording's path from the command line; false, with the reason, for anything else.
static bool ParseCommandLine(int argc, char** argv, std::string& recordPath, std::string& why)
{
    const std::string option = "--record";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == option && i + 1 < argc && argv[i + 1][0] != '\0' && recordPath.empty()) {
            recordPath = argv[++i];
        } else if (arg.compare(0, option.size() + 1, option + "=") == 0 &&
                   arg.size() > option.size() + 1 && recordPath.empty()) {
            recordPath = arg.substr(option.size() + 1);
        } else {
            bool recordOption = arg == option || arg.compare(0, option.size() + 1, option + "=") == 0;
            why = !recordOption           ? "unknown argument " + arg
                  : !recordPath.empty()   ? "only one --record"
                                          : "--record needs a file";
            return false;
        }
    }
    return true;
}

int main(int argc, char** argv)
{
    std::string recordPath, why;
    if (!ParseCommandLine(argc, argv, recordPath, why)) {
        std::fprintf(stderr, "trimvald: %s\n%s", why.c_str(), usageText);
        return 2;
    }
    LayerStartDesktop();
    // The recording's path is taken from where the player stands, before the game moves to its
    // data folder.
    if (!recordPath.empty()) {
        std::string error;
        if (!StartRecording(recordPath, error))
            std::fprintf(stderr, "Тримвальд: %s; the game is played without recording\n", error.c_str());
    }
    // A folder without Data/ ends in the game's own message about the first missing texture.
    std::string folder = LayerDataFolder(LayerExecutablePath(argc > 0 ? argv[0] : nullptr));
    if (folder != "." && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "Тримвальд: cannot enter %s: %s\n", folder.c_str(), std::strerror(errno));
    // The game's command line is not its business: it gets none.
    char commandLine[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW);
    FinishRecording();
    LayerEnd();
    return code;
}
