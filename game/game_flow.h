// The flow around a game: the digit and Enter keys, the sliding title panel, the new-game
// reset, health regeneration.
#pragma once

// Digits choose the level while choosing; a fresh Enter starts a new game or resumes a paused one.
void MenuInput();

// Title panel steps: slides the panel, draws the title texts once it is fully in, draws the two
// halves of the panel square. The caller returns early while the panel covers the view.
void TitlePanel();

// Puts every field a new game sets back to its new-game value, with health and the enemy's
// hit points from the difficulty table.
void NewGameReset();

// One point of health every 250 frames below 100.
void RegenerateHealth();
