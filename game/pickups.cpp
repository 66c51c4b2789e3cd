#include "game/pickups.h"

// The pickups come with the pickups.
void PickupStep()
{
}
