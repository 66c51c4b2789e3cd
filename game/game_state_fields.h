// The game state's fields, in the order the dumps and checks list them, each with its kind and
// its value at program start. The one list the record and its field table are both made from:
// include it with FIELD(kind, name, start) and FIELD4(kind, name, start0, start1, start2, start3)
// defined (FIELD4: the per-spell and per-corner arrays of 4). The kinds name the types in
// game/game_state.h. No include guard: it is included once per use.

// Menu and health
FIELD(Float, titleSlide, -5.0f)           // horizontal offset of the title panel
FIELD(Byte, choosingDifficulty, 1)        // the digit keys choose the level
FIELD(Float, difficulty, 4.0f)            // level 1 to 10
FIELD(Byte, gameRunning, 0)
FIELD(Byte, enterHeld, 0)                 // edge latch of Enter
FIELD(Byte, escapeHeld, 0)                // edge latch of Escape
FIELD(Float, score, 0.0f)
FIELD(Float, health, 0.0f)
FIELD(Float, regenTimer, 0.0f)
FIELD(Byte, flashOn, 0)                   // the random flash light is lit
FIELD(Float, flashTimer, 0.0f)

// Player
FIELD(Float, playerX, 0.0f)
FIELD(Float, playerZ, 10.0f)
FIELD(Float, eyeHeight, 0.5f)
FIELD(Float, jumpHeight, 15.0f)
FIELD(Float, jumpVelocity, 0.0f)
FIELD(Float, moveSpeed, 0.08f)
FIELD(Float, yaw, 0.0f)
FIELD(Float, pitch, 0.0f)

// Spells and projectile
FIELD(Float, selectedSpell, 1.0f)
FIELD(Float, hudSpell, 1.0f)
FIELD4(Float, ammo, 11.0f, 0.0f, 0.0f, 0.0f)
FIELD(Float, outOfAmmo, 0.0f)
FIELD(Float, projectileX, 0.0f)
FIELD(Float, projectileY, 0.0f)
FIELD(Float, projectileZ, 0.0f)
FIELD(Float, projectileHeading, 0.0f)
FIELD(Float, projectilePitch, 0.0f)
FIELD(Int32, projectileState, 0)          // 0 idle, 1 flying, 2 returning to the player
FIELD(Byte, exploding, 0)
FIELD(Float, blastRadius, 0.1f)
FIELD(Float, projectileSpeed, 1.0f)
FIELD(Float, directDamage, 0.0f)          // these three come from the spell table before use
FIELD(Float, splashDamage, 0.0f)
FIELD(Float, maxBlastRadius, 0.0f)
FIELD(Int32, bounceCount, 0)

// Enemy
FIELD(Float, enemyX, 0.0f)
FIELD(Float, enemyZ, 0.0f)
FIELD(Float, enemyY, -20.0f)              // below the floor until it emerges
FIELD(Float, enemyRadius, 0.7f)
FIELD(Float, enemyScaleY, 1.0f)
FIELD(Byte, pulseGrowing, 0)
FIELD(Float, enemyHealth, 100.0f)
FIELD(Float, enemyMaxHealth, 0.0f)
FIELD(Byte, enemyEmerged, 0)
FIELD(Byte, enemyDying, 0)
FIELD(UInt32, freezeTimer, 200)           // frames since frozen; 200 means not frozen
FIELD(Float, chaseRate, 1.5f)
FIELD(Float, climbRate, 0.02f)
FIELD(Float, enemySpin, 0.0f)
FIELD(Float, burning, 0.0f)
FIELD(Float, burnTimer, 0.0f)
FIELD(Float, driftX, 0.0f)
FIELD(Float, driftZ, 0.0f)
FIELD(Float, driftDirX, 0.0f)
FIELD(Float, driftDirZ, 0.0f)
FIELD(Float, flameFrame, 0.0f)
FIELD(Float, flameTick, 0.0f)
FIELD(Byte, lightningActive, 0)
FIELD(Int32, lightningTimer, 0)

// Corner pickups
FIELD4(Float, pickupX, 0.0f, 0.0f, 0.0f, 0.0f)
FIELD4(Float, pickupZ, 0.0f, 0.0f, 0.0f, 0.0f)
FIELD(Float, pickupY, 0.0f)
FIELD4(Float, pickupTimer, 0.0f, 0.0f, 0.0f, 0.0f)  // 200 means present
FIELD(UInt32, pickupSpin, 0)

// Scene
FIELD(UInt32, skySpin, 0)                 // frame counter that turns the sky
