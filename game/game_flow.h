// The flow around a game: the digit and Enter keys, the sliding title panel, the new-game
// reset, the game-over test, health regeneration.
#pragma once

// Frame step 3: digits choose the level while choosing; a fresh Enter starts a new game or
// resumes a paused one.
void MenuInput();

// Frame step 4, the title panel: slides the panel, draws the title texts once it is fully in,
// draws the two halves of the panel square. The caller returns early while the panel covers
// the view.
void TitlePanel();

// Puts every field a new game sets back to its new-game value, with health and the enemy's
// hit points from the difficulty table.
void NewGameReset();

// Frame step 5: health at 0 or below ends the game, and is held at 0.
void GameOverStep();

// Frame step 7: one point of health every 250 frames below 100.
void RegenerateHealth();
