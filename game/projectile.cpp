// The one projectile: its flight, the return to the player, the spell's parameters, the arena's
// floor and walls, the direct hit, the blast and its drawing.
#include "game/projectile.h"

#include <cmath>

#include "game/angles.h"
#include "game/game_state.h"
#include "game/spells.h"
#include "platform/platform.h"
#include "render/scene_lists.h"
#include "render/textures.h"

static const double stepFactor = 0.8;
static const double flightBound = 40.0;  // twice the arena's half-width
static const double blastGrowth = 1.2;
static const double hitDistanceSquared = 0.64;  // within 0.8 of the enemy's centre

// One axis of the flight: moves while the ball flies and the axis is inside the bounds, else
// marks the ball finished, which also stops the axes after it in this frame.
static void FlyAxis(float& coordinate, double direction)
{
    if (coordinate < flightBound && coordinate > -flightBound && game.projectileState == 1)
        coordinate = (float)((double)coordinate + direction * (double)game.projectileSpeed * stepFactor);
    else
        game.projectileState = 2;
}

void ProjectileFlightStep()
{
    FlyAxis(game.projectileX, std::sin((double)game.projectileHeading * degreesToRadians));
    FlyAxis(game.projectileZ, std::cos((double)game.projectileHeading * degreesToRadians));
    FlyAxis(game.projectileY, std::sin((double)game.projectilePitch * degreesToRadians));

    // An idle ball fails the tests above too, so it follows the player, 0.1 below the eye.
    if (game.projectileState == 2) {
        game.projectileX = -game.playerX;
        game.projectileZ = -game.playerZ;
        game.projectileY = (float)(0.1 - (double)(game.eyeHeight + game.jumpHeight));
        game.projectileState = 0;
    }
}

// The base plus the growth with the bounces, in double, rounded once.
static float Grown(float base, float perBounce, double bounces)
{
    return (float)((double)perBounce * bounces + (double)base);
}

// Sets the selected spell's parameters and binds its texture; the ball in flight takes them on
// at once. A selected spell other than 1 to 4 sets nothing and binds no texture.
static void ApplySpellTable()
{
    int slot = SpellSlot(game.selectedSpell);
    if (slot < 0)
        return;
    const SpellEntry& spell = spellTable[slot];
    double bounces = (double)game.bounceCount;
    game.hudSpell = (float)(slot + 1);
    glBindTexture(GL_TEXTURE_2D, textures[spell.ballTexture]);
    game.directDamage = Grown(spell.directDamage, spell.directPerBounce, bounces);
    game.maxBlastRadius = Grown(spell.maxBlastRadius, spell.blastPerBounce, bounces);
    game.projectileSpeed = spell.speed;
    game.splashDamage = Grown(spell.splashDamage, spell.splashPerBounce, bounces);
}

// A wall band: strictly between 20 and 21 out from the centre, on either side.
static bool InWallBand(float coordinate)
{
    return (coordinate > -21.0f && coordinate < -20.0f) || (coordinate > 20.0f && coordinate < 21.0f);
}

// The floor and the walls. The stored height is negated: above 1 is under the floor, above -2
// is below the top of the walls.
static void ArenaEdges()
{
    bool floor = game.projectileY > 1.0f && game.projectileZ > -20.0f && game.projectileZ < 20.0f &&
                 game.projectileX > -20.0f && game.projectileX < 20.0f;
    bool belowWallTop = game.projectileY > -2.0f;
    bool wallZ = InWallBand(game.projectileZ) && belowWallTop;
    bool wallX = InWallBand(game.projectileX) && belowWallTop;

    if (game.selectedSpell == 2.0f) {
        // The ball lightning rebounds; one frame can count up to three bounces.
        if (wallZ) {
            game.projectileHeading = (float)(-(double)game.projectileHeading - 180.0);
            game.bounceCount += 1;
        }
        if (wallX) {
            game.projectileHeading = -game.projectileHeading;
            game.bounceCount += 1;
        }
        if (floor) {
            game.projectilePitch = -game.projectilePitch;
            game.bounceCount += 1;
        }
    } else if (floor || wallZ || wallX) {
        game.exploding = 1;
    }
    if (game.bounceCount > 4) {
        game.exploding = 1;
        game.bounceCount = 0;
    }
}

static double EnemyDistanceSquared()
{
    double dx = (double)game.projectileX - (double)game.enemyX;
    double dy = (double)game.projectileY + (double)game.enemyY;
    double dz = (double)game.projectileZ - (double)game.enemyZ;
    return dx * dx + dy * dy + dz * dz;
}

// The direct hit counts in every frame the ball is within 0.8 of the emerged enemy's centre,
// also during its own blast; the ice and fire follow the spell selected now.
static void DirectHit()
{
    if (!(EnemyDistanceSquared() <= hitDistanceSquared) || game.enemyEmerged != 1 || game.projectileState == 0)
        return;
    if (game.selectedSpell == 3.0f)
        game.freezeTimer = 0;
    if (game.selectedSpell == 4.0f) {
        game.burning = 1.0f;
        game.burnTimer = 0.0f;
    }
    game.lightningActive = 0;
    game.enemyHealth = game.enemyHealth - game.directDamage;
    game.exploding = 1;
}

// The blast swells by 1.2 a frame, holds the ball still and hurts whoever is inside it: the
// player (the eye) by a fifth of the splash, the emerged enemy (its centre) by all of it.
static void Blast()
{
    if (game.exploding != 1)
        return;
    game.blastRadius = (float)((double)game.blastRadius * blastGrowth);
    game.projectileSpeed = 0.0f;

    double radiusSquared = (double)game.blastRadius * (double)game.blastRadius;
    double px = (double)game.projectileX + (double)game.playerX;
    double pz = (double)game.projectileZ + (double)game.playerZ;
    double py = (double)game.eyeHeight + (double)game.jumpHeight + (double)game.projectileY;
    if (radiusSquared > px * px + pz * pz + py * py)
        game.health = (float)((double)game.health - (double)game.splashDamage / 5.0);
    if (radiusSquared >= EnemyDistanceSquared() && game.enemyEmerged == 1)
        game.enemyHealth = game.enemyHealth - game.splashDamage;
}

// Past the spell's largest radius the blast is over.
static void BlastEnd()
{
    if (game.blastRadius > game.maxBlastRadius) {
        game.projectileState = 2;  // the next frame's flight step brings it back
        game.exploding = 0;
        game.projectileSpeed = 1.0f;
        game.blastRadius = 0.1f;
    }
}

void ProjectileStep()
{
    glTranslatef(-game.projectileX, -game.projectileY, -game.projectileZ);
    glRotatef((float)(uint32_t)(game.skySpin * 14u), 1.0f, 1.0f, 1.0f);

    ApplySpellTable();
    ArenaEdges();
    DirectHit();
    Blast();
    BlastEnd();

    glCallList(projectileList);
    gluSphere(projectileQuadric, game.blastRadius, 64, 64);
}
