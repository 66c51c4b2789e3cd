// The process entry on hosts other than Windows: hands over to WinMain as Windows would.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host.h"
#include "platform/layer.h"

int main(int argc, char** argv)
{
    LayerStartDesktop();
    // A folder without Data/ ends in the game's own message about the first missing texture.
    std::string folder = LayerDataFolder(LayerExecutablePath(argc > 0 ? argv[0] : nullptr));
    if (folder != "." && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "Тримвальд: cannot enter %s: %s\n", folder.c_str(), std::strerror(errno));
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, &commandLine[0], SW_SHOW);
    // The sound loader's thread ends before SDL does.
    LayerResetSound();
    SDL_Quit();
    return code;
}
