#include "game/enemy.h"

#include "game/game_random.h"
#include "game/game_state.h"
#include "game/player.h"
#include "platform/platform.h"
#include "render/scene_lists.h"
#include "render/sound_cues.h"
#include "render/textures.h"

static const double chaseDivisor = 40.0;
static const double freeChaseRate = 1.5;
static const double freeClimbRate = 0.02;
static const double spinStep = 4.0;
static const double pulseStep = 0.05;
static const double emergeHeight = 2.0;
static const double riseStep = 0.1;
static const double swellFactor = 1.4;
static const double respawnRadius = 100.0;
static const uint32_t freeFreeze = 200;  // freezeTimer at 200: not frozen

// The eye's height above the world origin: standing height plus the jump.
static float EyeLevel()
{
    return game.eyeHeight + game.jumpHeight;
}

// The enemy's centre inside the cube of side 2 around the eye (bounds inclusive) costs 2
// health, in every frame, risen or not, dying or not.
void ContactDamage()
{
    double targetX = -(double)game.playerX;
    double targetZ = -(double)game.playerZ;
    double eye = EyeLevel();
    if (targetX - 1.0 <= game.enemyX && game.enemyX <= targetX + 1.0 && targetZ - 1.0 <= game.enemyZ &&
        game.enemyZ <= targetZ + 1.0 && eye - 1.0 <= game.enemyY && game.enemyY <= eye + 1.0) {
        game.health = (float)((double)game.health - 2.0);
        PlayCue(contactCue);
    }
}

// The enemy rises out of the floor until it stands at height 2; the test comes before the rise.
void EnemyEmergence()
{
    if ((double)game.enemyY >= emergeHeight)
        game.enemyEmerged = 1;
    if (game.enemyEmerged == 0)
        game.enemyY = (float)((double)game.enemyY + riseStep);
}

// Health at 1 or below starts the swell; at radius 100 the kill counts and a new enemy starts
// to rise below the arena's centre.
void EnemyDeathStep()
{
    if ((double)game.enemyHealth <= 1.0)
        game.enemyDying = 1;
    if (game.enemyRadius == 0.7f && (double)game.enemyHealth <= 1.0)
        PlayCue(deathCue);
    if (game.enemyDying == 1)
        game.enemyRadius = (float)((double)game.enemyRadius * swellFactor);
    if ((double)game.enemyRadius >= respawnRadius) {
        game.score = (float)((double)game.score + 1.0);
        game.enemyY = -3.0f;
        game.enemyX = 0.0f;
        game.enemyZ = 0.0f;
        game.enemyEmerged = 0;
        game.enemyDying = 0;
        game.enemyRadius = 0.7f;
        // Three rolls, the middle one thrown away: the game takes it, and dropping it would
        // change the z drift and every later roll.
        game.driftX = (float)(GameRand() % 4);
        GameRand();
        game.driftZ = (float)(GameRand() % 4);
        game.enemyHealth = game.enemyMaxHealth;
        game.freezeTimer = freeFreeze;
        game.burning = 0.0f;
    }
}

// One horizontal axis of the pursuit: toward the target, a fortieth of the distance times the
// chase rate, never past it.
static void ChaseAxis(float& stored, double target)
{
    if (stored > target)
        stored = (float)((double)stored - ((double)stored - target) / chaseDivisor * (double)game.chaseRate);
    if (stored < target)
        stored = (float)((double)stored + (target - (double)stored) / chaseDivisor * (double)game.chaseRate);
}

void EnemyStep()
{
    // Drawn where it stood before this frame's pursuit.
    ApplyCamera();
    glTranslatef(-game.enemyX, game.enemyY, -game.enemyZ);

    if (game.freezeTimer == freeFreeze) {
        game.enemySpin = (float)((double)game.enemySpin + spinStep);
        game.climbRate = (float)freeClimbRate;
        game.chaseRate = (float)freeChaseRate;
        glBindTexture(GL_TEXTURE_2D, textures[enemyTexture]);
    } else if (game.freezeTimer < freeFreeze) {
        game.chaseRate = 0.0f;
        game.climbRate = 0.0f;
        game.freezeTimer += 1;
        glBindTexture(GL_TEXTURE_2D, textures[frozenEnemyTexture]);
    }

    if (game.enemyEmerged == 1) {
        ChaseAxis(game.enemyX, -(double)game.playerX);
        // Sink, then climb on the updated height: it settles just above the eye, or on it.
        float eye = EyeLevel();
        if (eye < game.enemyY)
            game.enemyY = (float)((double)game.enemyY - (double)game.climbRate);
        if (eye > game.enemyY)
            game.enemyY = (float)((double)game.enemyY + (double)game.climbRate);
        ChaseAxis(game.enemyZ, -(double)game.playerZ);
    }

    // The pulse is drawn before it is updated, so the drawn scale lags one frame.
    glRotatef(game.enemySpin, 0.0f, 1.0f, 0.0f);
    glScalef(1.0f, game.enemyScaleY, 1.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);

    if (game.freezeTimer == freeFreeze) {
        if (game.pulseGrowing == 1)
            game.enemyScaleY = (float)((double)game.enemyScaleY + pulseStep);
        if (game.pulseGrowing == 0)
            game.enemyScaleY = (float)((double)game.enemyScaleY - pulseStep);
        if ((double)game.enemyScaleY > 1.3)
            game.pulseGrowing = 0;
        if ((double)game.enemyScaleY < 0.7)
            game.pulseGrowing = 1;
    }

    glCallList(enemyList);
    gluSphere(enemyQuadric, game.enemyRadius, 32, 32);
}
