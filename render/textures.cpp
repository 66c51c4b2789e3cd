#include "render/textures.h"

uint32_t textures[13];

int LoadTextures()
{
    return 1;
}

void FlashStep()
{
}
