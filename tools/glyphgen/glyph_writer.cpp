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

// The same float, bit for bit (0 and -0 differ; the reader must give back what was made).
bool Same(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The run is a wall: two triangles a near, b near, b far; a near, b far, a far.
bool IsWall(const std::vector<float>& v)
{
    if (v.size() != 18)
        return false;
    // Vertex i's coordinate c is v[3 * i + c]; each pair names the same float twice.
    static const int pairs[][2] = {{0, 9},  {1, 10}, {2, 11}, {6, 12}, {7, 13}, {8, 14},  // repeats
                                   {2, 5},  {3, 6},  {4, 7},  {0, 15}, {1, 16}, {8, 17}};
    for (const auto& pair : pairs)
        if (!Same(v[pair[0]], v[pair[1]]))
            return false;
    return true;
}

// The run is `before` reversed at one depth.
bool IsMirror(const std::vector<float>& v, const GlyphRun* before)
{
    if (!before || v.empty() || before->vertices.size() != v.size())
        return false;
    const std::vector<float>& front = before->vertices;
    const std::size_t n = v.size() / 3;
    for (std::size_t i = 0; i < n; ++i)
        if (!Same(v[3 * i], front[3 * (n - 1 - i)]) || !Same(v[3 * i + 1], front[3 * (n - 1 - i) + 1]) ||
            !Same(v[3 * i + 2], v[2]))
            return false;
    return true;
}

void PutRun(std::vector<unsigned char>& out, const GlyphRun& run, const GlyphRun* before)
{
    const std::vector<float>& v = run.vertices;
    const uint32_t kind = IsWall(v) ? glyphRunWall : IsMirror(v, before) ? glyphRunMirror : glyphRunVertices;
    Put32(out, kind);
    for (float value : run.normal)
        PutFloat(out, value);
    if (kind == glyphRunWall) {
        for (float value : {v[0], v[1], v[3], v[4], v[2], v[8]})
            PutFloat(out, value);
    } else if (kind == glyphRunMirror) {
        PutFloat(out, v[2]);
    } else {
        const std::size_t vertices = v.size() / 3;
        Put32(out, (uint32_t)vertices);
        for (std::size_t i = 0; i < vertices * 3; ++i)
            PutFloat(out, v[i]);
    }
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
            for (std::size_t r = 0; r < primitive.runs.size(); ++r)
                PutRun(out, primitive.runs[r], r ? &primitive.runs[r - 1] : nullptr);
        }
    }
    return out;
}
