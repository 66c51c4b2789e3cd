// GameState: every variable of the game in one process-wide record. The member initialisers
// are the values at program start; the new-game reset sets its own subset.
//
// Arithmetic: the fields are single precision, but every compound update is evaluated in
// double from the stored floats and rounded to float once, when it is stored; that is why the
// code is full of (double) casts. A "simpler" x += 0.05f adds in float and rounds differently
// in some frames, so positions and timers drift from the game's own results and recorded
// games no longer replay the same. Keep each expression's arithmetic exactly as it is.
//
// Stored coordinates: the player in world coordinates; the projectile, and the x and z of the
// enemy and the pickups, negated (they are drawn by translating by their negation); heights of
// the enemy and the pickups as world heights.
#pragma once

#include <cstdint>

struct GameState {
    // Menu and health
    float titleSlide = -5.0f;        // horizontal offset of the title panel
    uint8_t choosingDifficulty = 1;  // the digit keys choose the level
    float difficulty = 4.0f;         // level 1 to 10
    uint8_t gameRunning = 0;
    uint8_t enterHeld = 0;           // edge latch of Enter
    uint8_t escapeHeld = 0;          // edge latch of Escape
    float score = 0.0f;
    float health = 0.0f;
    float regenTimer = 0.0f;
    uint8_t flashOn = 0;             // the random flash light is lit
    float flashTimer = 0.0f;

    // Player
    float playerX = 0.0f;
    float playerZ = 10.0f;
    float eyeHeight = 0.5f;
    float jumpHeight = 15.0f;
    float jumpVelocity = 0.0f;
    float moveSpeed = 0.08f;
    float yaw = 0.0f;
    float pitch = 0.0f;

    // Spells and projectile
    float selectedSpell = 1.0f;
    float hudSpell = 1.0f;
    float ammo[4] = {11.0f, 0.0f, 0.0f, 0.0f};
    float outOfAmmo = 0.0f;
    float projectileX = 0.0f;
    float projectileY = 0.0f;
    float projectileZ = 0.0f;
    float projectileHeading = 0.0f;
    float projectilePitch = 0.0f;
    int32_t projectileState = 0;     // 0 idle, 1 flying, 2 returning to the player
    uint8_t exploding = 0;
    float blastRadius = 0.1f;
    float projectileSpeed = 1.0f;
    float directDamage = 0.0f;       // these three come from the spell table before use
    float splashDamage = 0.0f;
    float maxBlastRadius = 0.0f;
    int32_t bounceCount = 0;

    // Enemy
    float enemyX = 0.0f;
    float enemyZ = 0.0f;
    float enemyY = -20.0f;           // below the floor until it emerges
    float enemyRadius = 0.7f;
    float enemyScaleY = 1.0f;
    uint8_t pulseGrowing = 0;
    float enemyHealth = 100.0f;
    float enemyMaxHealth = 0.0f;
    uint8_t enemyEmerged = 0;
    uint8_t enemyDying = 0;
    uint32_t freezeTimer = 200;      // frames since frozen; 200 means not frozen
    float chaseRate = 1.5f;
    float climbRate = 0.02f;
    float enemySpin = 0.0f;
    float burning = 0.0f;
    float burnTimer = 0.0f;
    float driftX = 0.0f;
    float driftZ = 0.0f;
    float driftDirX = 0.0f;
    float driftDirZ = 0.0f;
    float flameFrame = 0.0f;
    float flameTick = 0.0f;
    uint8_t lightningActive = 0;
    int32_t lightningTimer = 0;

    // Corner pickups
    float pickupX[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float pickupZ[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float pickupY = 0.0f;
    float pickupTimer[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // 200 means present
    uint32_t pickupSpin = 0;

    // Scene
    uint32_t skySpin = 0;            // frame counter that turns the sky
};

extern GameState game;

// A description of each field, for tools that show or record the whole state.
enum class FieldKind { Float, Byte, Int32, UInt32 };

struct GameStateField {
    const char* name;
    FieldKind kind;
    std::size_t offset;
    int count;  // 1, or 4 for the per-spell and per-corner arrays
};

extern const GameStateField gameStateFields[];
extern const int gameStateFieldCount;
