#include "game/spells.h"

// Casting and spell selection come with the spells and their projectile; until then the main
// loop's steps are in place and change nothing.
void CastStep()
{
}

void SelectSpellStep()
{
}
