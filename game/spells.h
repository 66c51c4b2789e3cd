// The spell input steps of the main loop: casting (E or Ctrl) and spell selection (1 to 4).
#pragma once

void CastStep();
void SelectSpellStep();
