// The texts of the title panel and the in-game HUD, drawn as outline glyphs in the scene.
#pragma once

// Title, author, key help, score and difficulty line; ends with the identity matrix loaded.
void DrawTitleTexts();

// Frame step 6: health, spell name and charges (or the out-of-ammo text) and score along the
// bottom of the view.
void DrawHud();
