// Reading the glyph file (its layout is in glyph_file.h). Every count is checked against the
// bytes left before anything is reserved for it, so a damaged file is refused, never read past.
#include "platform/layer/glyph_file.h"

#include <cstring>

namespace {

const uint32_t polygonMode = 9;  // GL_POLYGON, the last primitive mode

struct Cursor {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    std::string error;

    std::size_t Left() const { return size - at; }

    bool Fail(const std::string& what)
    {
        if (error.empty())
            error = what + " at byte " + std::to_string(at);
        return false;
    }

    bool Take(std::size_t bytes, const char* what)
    {
        return bytes <= Left() ? true : Fail(std::string("file ends inside ") + what);
    }

    bool U32(uint32_t& value, const char* what)
    {
        if (!Take(4, what))
            return false;
        value = (uint32_t)data[at] | (uint32_t)data[at + 1] << 8 | (uint32_t)data[at + 2] << 16 |
                (uint32_t)data[at + 3] << 24;
        at += 4;
        return true;
    }

    bool I32(int32_t& value, const char* what)
    {
        uint32_t bits;
        if (!U32(bits, what))
            return false;
        std::memcpy(&value, &bits, 4);
        return true;
    }

    bool F32(float& value, const char* what)
    {
        uint32_t bits;
        if (!U32(bits, what))
            return false;
        std::memcpy(&value, &bits, 4);
        return true;
    }

    // A count of items at least `itemBytes` long each, no more than the bytes left can hold.
    bool Count(uint32_t& count, std::size_t itemBytes, const char* what)
    {
        if (!U32(count, what))
            return false;
        if (count > Left() / itemBytes)
            return Fail(std::string(what) + " " + std::to_string(count) + " is more than the file holds");
        return true;
    }
};

// A run, written out in full or as a wall or a mirror of `before` (the run ahead of it in its
// primitive, nullptr for the first).
bool ReadRun(Cursor& in, GlyphRun& run, const GlyphRun* before)
{
    uint32_t kind, vertices;
    if (!in.U32(kind, "a run") || !in.F32(run.normal[0], "a normal") ||
        !in.F32(run.normal[1], "a normal") || !in.F32(run.normal[2], "a normal"))
        return false;
    if (kind == glyphRunWall) {
        float a[2], b[2], nearZ, farZ;
        if (!in.F32(a[0], "a wall") || !in.F32(a[1], "a wall") || !in.F32(b[0], "a wall") ||
            !in.F32(b[1], "a wall") || !in.F32(nearZ, "a wall") || !in.F32(farZ, "a wall"))
            return false;
        run.vertices = {a[0], a[1], nearZ, b[0], b[1], nearZ, b[0], b[1], farZ,
                        a[0], a[1], nearZ, b[0], b[1], farZ,  a[0], a[1], farZ};
        return true;
    }
    if (kind == glyphRunMirror) {
        float z;
        if (!in.F32(z, "a mirrored run"))
            return false;
        if (!before || before->vertices.empty())
            return in.Fail("a mirrored run with no vertices before it");
        const std::vector<float>& front = before->vertices;
        run.vertices.resize(front.size());
        for (std::size_t v = 0, n = front.size() / 3; v < n; ++v) {
            run.vertices[3 * v] = front[3 * (n - 1 - v)];
            run.vertices[3 * v + 1] = front[3 * (n - 1 - v) + 1];
            run.vertices[3 * v + 2] = z;
        }
        return true;
    }
    if (kind != glyphRunVertices)
        return in.Fail("run kind " + std::to_string(kind) + " is none the file has");
    if (!in.Count(vertices, 12, "vertex count"))
        return false;
    run.vertices.resize((std::size_t)vertices * 3);
    for (float& value : run.vertices)
        in.F32(value, "a vertex");  // cannot fail: the count was checked against the bytes left
    return true;
}

bool ReadGlyph(Cursor& in, GlyphShape& shape)
{
    GLYPHMETRICSFLOAT& m = shape.metrics;
    uint32_t primitives;
    if (!in.F32(m.gmfBlackBoxX, "metrics") || !in.F32(m.gmfBlackBoxY, "metrics") ||
        !in.F32(m.gmfptGlyphOrigin.x, "metrics") || !in.F32(m.gmfptGlyphOrigin.y, "metrics") ||
        !in.F32(m.gmfCellIncX, "metrics") || !in.F32(m.gmfCellIncY, "metrics") ||
        !in.Count(primitives, 8, "primitive count"))
        return false;
    shape.primitives.resize(primitives);
    for (GlyphPrimitive& primitive : shape.primitives) {
        uint32_t runs;
        if (!in.U32(primitive.mode, "a primitive"))
            return false;
        if (primitive.mode > polygonMode)
            return in.Fail("primitive mode " + std::to_string(primitive.mode) + " is none of OpenGL's");
        if (!in.Count(runs, 20, "run count"))
            return false;
        primitive.runs.resize(runs);
        for (std::size_t r = 0; r < runs; ++r)
            if (!ReadRun(in, primitive.runs[r], r ? &primitive.runs[r - 1] : nullptr))
                return false;
    }
    return true;
}

// The header and the request, with the number of glyphs that follow.
bool ReadRequest(Cursor& in, GlyphRequest& request, uint32_t& count)
{
    uint32_t version, faceLength, italic;
    if (!in.Take(4, "the magic"))
        return false;
    if (std::memcmp(in.data, glyphFileMagic, 4) != 0)
        return in.Fail("not a glyph file (its magic is not TGLY)");
    in.at = 4;
    if (!in.U32(version, "the header"))
        return false;
    if (version != glyphFileVersion)
        return in.Fail("glyph file version " + std::to_string(version) + ", not " +
                       std::to_string(glyphFileVersion));
    if (!in.U32(faceLength, "the request"))
        return false;
    if (faceLength > glyphFileMaxFace)
        return in.Fail("face name " + std::to_string(faceLength) + " bytes long");
    if (!in.Take(faceLength, "the face name"))
        return false;
    request.face.assign((const char*)in.data + in.at, faceLength);
    in.at += faceLength;
    if (!in.I32(request.height, "the request") || !in.I32(request.weight, "the request") ||
        !in.U32(italic, "the request") || !in.U32(request.charSet, "the request") ||
        !in.F32(request.deviation, "the request") || !in.F32(request.extrusion, "the request") ||
        !in.I32(request.format, "the request") || !in.U32(request.first, "the request") ||
        !in.U32(count, "the request"))
        return false;
    if (italic > 1)
        return in.Fail("italic is " + std::to_string(italic));
    request.italic = italic == 1;
    if (request.first > 255 || count > 256 - request.first)
        return in.Fail("glyphs " + std::to_string(request.first) + " + " + std::to_string(count) +
                       " run past character 255");
    return true;
}

}  // namespace

bool ReadGlyphFile(const unsigned char* data, std::size_t size, GlyphSet& glyphs, std::string& error)
{
    Cursor in;
    in.data = data;
    in.size = size;
    uint32_t count = 0;
    bool ok = ReadRequest(in, glyphs.request, count);
    if (ok) {
        glyphs.glyphs.assign(count, GlyphShape());
        for (GlyphShape& shape : glyphs.glyphs)
            if (!(ok = ReadGlyph(in, shape)))
                break;
    }
    if (ok && in.Left() != 0)
        ok = in.Fail(std::to_string(in.Left()) + " bytes after the last glyph");
    error = in.error;
    return ok;
}
