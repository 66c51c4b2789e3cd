// The scenery's display lists and the quadrics the scene draws spheres with.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// In the renderer record (render/renderer_state.h).
extern uint32_t& listBase;        // the sky sphere
extern uint32_t& arenaList;       // floor, pyramid and walls
extern uint32_t& projectileList;  // empty; called before the projectile sphere
extern uint32_t& enemyList;       // empty; called before the enemy sphere
extern uint32_t& pickupList;      // a sphere of radius 0.5
extern GLUquadric*& skyQuadric;
extern GLUquadric*& projectileQuadric;
extern GLUquadric*& enemyQuadric;
extern GLUquadric*& pickupQuadric;

void BuildDisplayLists();
