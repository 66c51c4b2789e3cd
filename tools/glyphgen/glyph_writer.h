// Writing the glyph file the page reads (its layout: platform/layer/glyph_file.h).
#pragma once

#include <vector>

#include "platform/layer/glyph_geometry.h"

// The glyphs as the bytes of a glyph file. The face name is cut to the file's longest.
std::vector<unsigned char> GlyphFileBytes(const GlyphSet& glyphs);
