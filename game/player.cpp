#include "game/player.h"

#include <cmath>

#include "game/angles.h"
#include "game/game_input.h"
#include "game/game_side_state.h"
#include "game/game_state.h"

POINT& cursorPos = gameSide.cursorPos;

static const double walkFactor = 1.9;
static const double arenaBound = 19.5;

void MouseLook()
{
    GetCursorPos(&cursorPos);
    // The anchor is not the middle of the 800x600 mode; the cursor goes back there every frame.
    SetCursorPos(320, 240);
    game.yaw = (float)((double)game.yaw + (double)(320 - cursorPos.x) / 100.0f * 10.0f);
    game.pitch = (float)((double)game.pitch - (double)(240 - cursorPos.y) / 100.0f * 10.0f);
    // The excess past a wrap is dropped: 361 becomes 0, -1 becomes 360.
    if (game.yaw > 360.0f)
        game.yaw = 0.0f;
    if (game.yaw < 0.0f)
        game.yaw = 360.0f;
    if (game.pitch > 360.0f)
        game.pitch = 0.0f;
    if (game.pitch < 0.0f)
        game.pitch = 360.0f;
}

void WalkStep()
{
    double step = (double)game.moveSpeed * walkFactor;
    double heading = (double)game.yaw * degreesToRadians;
    double strafe = ((double)game.yaw - 90.0f) * degreesToRadians;
    if (keys['W']) {
        game.playerX = (float)((double)game.playerX - std::sin(heading) * step);
        game.playerZ = (float)((double)game.playerZ - std::cos(heading) * step);
    }
    if (keys['S']) {
        game.playerX = (float)((double)game.playerX + std::sin(heading) * step);
        game.playerZ = (float)((double)game.playerZ + std::cos(heading) * step);
    }
    if (keys['A']) {
        game.playerX = (float)((double)game.playerX + std::sin(strafe) * step);
        game.playerZ = (float)((double)game.playerZ + std::cos(strafe) * step);
    }
    if (keys['D']) {
        game.playerX = (float)((double)game.playerX - std::sin(strafe) * step);
        game.playerZ = (float)((double)game.playerZ - std::cos(strafe) * step);
    }
}

void JumpTakeOff()
{
    if (keys[VK_SPACE] && game.jumpHeight <= 0.0f)
        game.jumpVelocity = 0.05f;
}

void CrouchStep()
{
    if (!keys['C'] && !keys[VK_SHIFT])
        return;
    if (game.eyeHeight > 0.0f)
        game.eyeHeight = (float)((double)game.eyeHeight - 0.03);
    if ((double)game.moveSpeed > 0.02)
        game.moveSpeed = (float)((double)game.moveSpeed - 0.001);
}

void StandUpStep()
{
    // Holding Space holds back both the stand-up and the speed recovery.
    if (keys['C'] || keys[VK_SHIFT] || keys[VK_SPACE])
        return;
    if ((double)game.eyeHeight < 0.5)
        game.eyeHeight = (float)((double)game.eyeHeight + 0.03);
    if (game.jumpHeight <= 0.0f && (double)game.moveSpeed < 0.08)
        game.moveSpeed = (float)((double)game.moveSpeed + 0.002);
}

void BodyStep()
{
    game.jumpHeight = (float)((double)game.jumpHeight + (double)game.jumpVelocity);
    if (game.jumpHeight > 0.0f) {
        game.jumpVelocity = (float)((double)game.jumpVelocity - 0.001);
        if ((double)game.moveSpeed > 0.02)
            game.moveSpeed = (float)((double)game.moveSpeed - 0.0005);
    } else {
        // Landed: the height may stay slightly below 0.
        game.jumpVelocity = 0.0f;
    }
    if ((double)game.playerX > arenaBound)
        game.playerX = (float)arenaBound;
    if ((double)game.playerX < -arenaBound)
        game.playerX = (float)-arenaBound;
    if ((double)game.playerZ > arenaBound)
        game.playerZ = (float)arenaBound;
    if ((double)game.playerZ < -arenaBound)
        game.playerZ = (float)-arenaBound;
}

void ApplyCameraRotation()
{
    glLoadIdentity();
    glRotatef(game.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(-game.yaw, 0.0f, 1.0f, 0.0f);
}

void ApplyCameraTranslation()
{
    glTranslatef(-game.playerX, -(game.eyeHeight + game.jumpHeight), -game.playerZ);
}

void ApplyCamera()
{
    ApplyCameraRotation();
    ApplyCameraTranslation();
}
