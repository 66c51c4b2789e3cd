// The process entry on hosts other than Windows: hands over to WinMain as Windows would.
#include <string>

#include "platform/host.h"
#include "platform/layer.h"

int main(int argc, char** argv)
{
    LayerStartDesktop();
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
