// The game's sound cues: each is one asynchronous play of a wave file, which cuts off the cue
// still playing.
#pragma once

extern const char* const menuCue;       // Enter or Escape pressed
extern const char* const castCue;       // a spell is cast
extern const char* const contactCue;    // the enemy touches the player
extern const char* const deathCue;      // the enemy dies
extern const char* const ignitionCue;   // the enemy catches fire
extern const char* const lightningCue;  // the lightning strikes the player
extern const char* const respawnCue;    // a pickup is about to come back
extern const char* const pickupCue;     // the player stands in a corner square

void PlayCue(const char* file);
