// The four corner pickups.
#pragma once

void PickupStep();  // frame step 21: drawing, respawn counters and cue, collection
