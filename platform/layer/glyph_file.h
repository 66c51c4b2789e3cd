// The glyph file: an outline font's glyphs (glyph_geometry.h) made at build time by the glyph
// generator (tools/glyphgen/) and read by the page, which has no FreeType, fontconfig or GLU
// tessellator of its own.
//
// Every number is little-endian; u32 and i32 are 4 bytes, f32 an IEEE single. In order:
//   header   "TGLY", u32 version (glyphFileVersion)
//   request  u32 face name length (at most glyphFileMaxFace), the name's bytes (no terminator),
//            i32 height, i32 weight, u32 italic (0 or 1), u32 character set,
//            f32 deviation, f32 extrusion, i32 format, u32 first character,
//            u32 glyph count (first + count at most 256)
//   glyph    f32 black box x, f32 black box y, f32 origin x, f32 origin y,
//            f32 cell increment x, f32 cell increment y, u32 primitive count
//   primitive  u32 mode (GL_POINTS to GL_POLYGON), u32 run count
//   run      u32 kind, f32 normal x, y, z, then by its kind
//            0 (vertices): u32 vertex count, then x, y, z (f32 each) per vertex
//            1 (wall): f32 ax, ay, bx, by, near z, far z: the six vertices of the two triangles
//              a near, b near, b far; a near, b far, a far (a glyph's side along one edge)
//            2 (mirror): f32 z: the run before it in the primitive, its vertices in reverse
//              order at depth z (a glyph's back face, from its front face)
// and nothing after the last glyph. Walls and mirrors give back the very floats the full runs
// hold, and make the game's font's file half as long as full runs would (1.1 MB, not 2.3 MB).
#pragma once

#include <cstddef>
#include <string>

#include "platform/layer/glyph_geometry.h"

const unsigned char glyphFileMagic[4] = {'T', 'G', 'L', 'Y'};
const uint32_t glyphFileVersion = 1;
const uint32_t glyphFileMaxFace = 31;  // LF_FACESIZE less its terminator
const uint32_t glyphRunVertices = 0, glyphRunWall = 1, glyphRunMirror = 2;

// Reads a glyph file from `size` bytes at `data`. On damaged input (too short, another magic or
// version, a count beyond what the rest of the file can hold, bytes left over) returns false
// with `error` saying what is wrong and where, and leaves `glyphs` unspecified.
bool ReadGlyphFile(const unsigned char* data, std::size_t size, GlyphSet& glyphs,
                   std::string& error);
