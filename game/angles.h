// Angles are kept in degrees and turned into radians by the game's own factor.
#pragma once

const double degreesToRadians = 0.0174532925;
