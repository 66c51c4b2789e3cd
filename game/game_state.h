// GameState: every variable of the game in one process-wide record, made from the list in
// game/game_state_fields.h. The start values there are the values at program start; the
// new-game reset sets its own subset.
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

#include <cstddef>
#include <cstdint>

// The field kinds, as the types the record holds them in.
namespace field_kind {
using Float = float;
using Byte = uint8_t;
using Int32 = int32_t;
using UInt32 = uint32_t;
}  // namespace field_kind

struct GameState {
#define FIELD(kind, name, start) field_kind::kind name = start;
#define FIELD4(kind, name, ...) field_kind::kind name[4] = {__VA_ARGS__};
#include "game/game_state_fields.h"
#undef FIELD
#undef FIELD4
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
