#include "game/hud.h"

#include "game/game_state.h"
#include "game/spells.h"
#include "platform/platform.h"
#include "render/outline_font.h"
#include "render/textures.h"

// The difficulty line in a pause (a game exists) and while choosing, by level 1 to 10.
static const char* const levelLines[10] = {
    "Сложность игры : (1) ХАЛЯВЩИК",     "Сложность игры : (2) СЛАБАК",
    "Сложность игры : (3) НАЧИНАЮЩИЙ",   "Сложность игры : (4) СРЕДНИЙ",
    "Сложность игры : (5) БЫВАЛЫЙ",      "Сложность игры : (6) ПРОДВИНУТЫЙ",
    "Сложность игры : (7) КРУТОЙ",       "Сложность игры : (8) СУПЕРМЭН",
    "Сложность игры : (9) БОГ",          "Сложность игры : (10) НЕЕЕЕЕ",
};
static const char* const choiceLines[10] = {
    "Вы можете выбрать сложность игры : (1) ХАЛЯВЩИК",
    "Вы можете выбрать сложность игры : (2) СЛАБАК",
    "Вы можете выбрать сложность игры : (3) НАЧИНАЮЩИЙ",
    "Вы можете выбрать сложность игры : (4) СРЕДНИЙ",
    "Вы можете выбрать сложность игры : (5) БЫВАЛЫЙ",
    "Вы можете выбрать сложность игры : (6) ПРОДВИНУТЫЙ",
    "Вы можете выбрать сложность игры : (7) КРУТОЙ",
    "Вы можете выбрать сложность игры : (8) СУПЕРМЭН",
    "Вы можете выбрать сложность игры : (9) БОГ",
    "Вы можете выбрать сложность игры : (10) НЕЕЕЕЕ",
};

// Index 0 to 9 of a level 1.0 to 10.0 (held in range, though the keys never leave it).
static int LevelIndex(float level)
{
    int index = (int)level - 1;
    return index < 0 ? 0 : index > 9 ? 9 : index;
}

// Index 0 to 3 of a spell 1.0 to 4.0.
static int SpellIndex(float spell)
{
    int index = (int)spell - 1;
    return index < 0 ? 0 : index > 3 ? 3 : index;
}

static void SmallLine(float y)
{
    glLoadIdentity();
    glTranslatef(-1.6f, y, -3.0f);
    glScalef(0.15f, 0.2f, 0.01f);
}

void DrawTitleTexts()
{
    // No texture coordinate is set here, as the game never set one: the texts keep the one the
    // panel's last vertex set in the frame before, (1, 0), and that texel of the tint colours
    // them.
    glBindTexture(GL_TEXTURE_2D, textures[textTintTexture]);
    glColor3f(1.0f, 0.0f, 0.7f);
    glTranslatef(-1.2f, 1.0f, -3.0f);
    glScalef(0.3f, 0.3f, 0.2f);
    PrintText("ТРИМВАЛЬД");
    glLoadIdentity();
    glTranslatef(-0.5f, 0.7f, -3.0f);
    glScalef(0.3f, 0.3f, 0.2f);
    PrintText("by DORVAK2");

    glColor3f(0.9f, 0.5f, 1.0f);
    SmallLine(-1.2f);
    PrintText("Esc-выход/Enter-продолжить");
    if (game.score > 0.0f) {
        SmallLine(-0.8f);
        PrintText("СЧЁТ: %3.0f", (double)game.score);
    }
    if (game.choosingDifficulty == 0) {
        SmallLine(-1.0f);
        PrintText(levelLines[LevelIndex(game.difficulty)]);
    }
    if (game.choosingDifficulty == 1) {
        SmallLine(-1.0f);
        PrintText(choiceLines[LevelIndex(game.difficulty)]);
    }
    glLoadIdentity();
}

// The HUD line's transform: 0.1 in front of the eye (on the near plane), along the bottom of
// the view, glyphs scaled to 0.01.
static void HudLine(float x)
{
    glTranslatef(x, -0.04f, -0.1f);
    glScalef(0.01f, 0.01f, 0.01f);
}

void DrawHud()
{
    // The tint drifts up the text tint texture as the regeneration timer grows.
    float tint = (float)((double)game.regenTimer / 10000.0);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textures[textTintTexture]);
    glTexCoord2f(0.0f, tint);
    glColor3f(1.0f, 0.0f, 0.0f);
    HudLine(-0.055f);
    PrintText("%3.0f", (double)game.health);

    glTexCoord2f(0.0f, tint);
    glLoadIdentity();
    glColor3f(0.0f, 0.0f, 1.0f);
    HudLine(-0.045f);
    glTranslatef(1.0f, 0.0f, 0.0f);
    if (game.outOfAmmo == 0.0f) {
        // The name follows hudSpell (one frame late after a change), the count selectedSpell.
        PrintText(spellTable[SpellIndex(game.hudSpell)].hudName);
        glTranslatef(1.0f, 0.0f, 0.0f);
        PrintText("%3.0f", (double)game.ammo[SpellIndex(game.selectedSpell)]);
    }
    if (game.outOfAmmo == 1.0f) {
        glTranslatef(1.0f, 0.0f, 0.0f);
        PrintText("- ПАТРОНОВ НЕТ -");
    }

    glLoadIdentity();
    glColor3f(0.0f, 0.0f, 1.0f);
    HudLine(-0.045f);
    glTranslatef(9.0f, 0.0f, 0.0f);
    PrintText("%3.0f", (double)game.score);
}
