#include "app/game_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return GameMain(instance, previous, commandLine, showCommand);
}
