#include "game/spells.h"

// Casting, selection and the projectile come with the spells.
void CastStep()
{
}

void SelectSpellStep()
{
}

void ProjectileFlightStep()
{
}

void AutoSwitchSpell()
{
}

void OutOfAmmoStep()
{
}

void ProjectileStep()
{
}
