// The four corner pickups.
#pragma once

void PickupStep();  // frame step 22: drawing, respawn counters and cue, collection
