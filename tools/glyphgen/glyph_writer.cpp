#include "tools/glyphgen/glyph_writer.h"

#include <algorithm>
#include <cstring>

#include "platform/layer/glyph_file.h"
#include "tools/formats/little_endian.h"

namespace {

void PutFloat(std::vector<unsigned char>& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    Put32(out, bits);
}

}  // namespace

std::vector<unsigned char> GlyphFileBytes(const GlyphSet& glyphs)
{
    std::vector<unsigned char> out(glyphFileMagic, glyphFileMagic + 4);
    Put32(out, glyphFileVersion);
    const GlyphRequest& request = glyphs.request;
    const std::size_t faceLength = std::min<std::size_t>(request.face.size(), glyphFileMaxFace);
    Put32(out, (uint32_t)faceLength);
    out.insert(out.end(), request.face.begin(), request.face.begin() + faceLength);
    Put32(out, (uint32_t)request.height);
    Put32(out, (uint32_t)request.weight);
    Put32(out, request.italic ? 1 : 0);
    Put32(out, request.charSet);
    PutFloat(out, request.deviation);
    PutFloat(out, request.extrusion);
    Put32(out, (uint32_t)request.format);
    Put32(out, request.first);
    Put32(out, (uint32_t)glyphs.glyphs.size());
    for (const GlyphShape& shape : glyphs.glyphs) {
        const GLYPHMETRICSFLOAT& m = shape.metrics;
        for (float value : {m.gmfBlackBoxX, m.gmfBlackBoxY, m.gmfptGlyphOrigin.x,
                            m.gmfptGlyphOrigin.y, m.gmfCellIncX, m.gmfCellIncY})
            PutFloat(out, value);
        Put32(out, (uint32_t)shape.primitives.size());
        for (const GlyphPrimitive& primitive : shape.primitives) {
            Put32(out, primitive.mode);
            Put32(out, (uint32_t)primitive.runs.size());
            for (const GlyphRun& run : primitive.runs) {
                for (float value : run.normal)
                    PutFloat(out, value);
                const std::size_t vertices = run.vertices.size() / 3;
                Put32(out, (uint32_t)vertices);
                for (std::size_t v = 0; v < vertices * 3; ++v)
                    PutFloat(out, run.vertices[v]);
            }
        }
    }
    return out;
}
