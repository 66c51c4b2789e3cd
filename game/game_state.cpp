#include "game/game_state.h"

#include <cstddef>

GameState game;

const GameStateField gameStateFields[] = {
#define FIELD(kind, name, start) {#name, FieldKind::kind, offsetof(GameState, name), 1},
#define FIELD4(kind, name, ...) {#name, FieldKind::kind, offsetof(GameState, name), 4},
#include "game/game_state_fields.h"
#undef FIELD
#undef FIELD4
};

const int gameStateFieldCount = (int)(sizeof gameStateFields / sizeof gameStateFields[0]);
