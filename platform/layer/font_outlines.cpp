// wglUseFontOutlinesA: one display list per character, its outline filled by the GLU
// tessellator and extruded. The glyphs' geometry is made first (LayerGlyphGeometry, which the
// build-time glyph generator also calls for the page's data), then compiled into the lists.
//
// Each list draws the glyph in em units (the em square is 1.0): the front face at z = 0 facing
// +z, the back face at z = -extrusion facing -z, a wall along every edge of every contour
// facing outwards, and then moves the origin on by the glyph's advance. Curves are flattened
// into segments no further than the chordal deviation from the outline (one design unit when
// the deviation is 0).
#include "platform/layer/charset.h"
#include "platform/layer/font_face.h"
#include "platform/layer/glyph_geometry.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Point {
    double x;
    double y;
};
typedef std::vector<Point> Contour;

// The Unicode character of a Windows-1251 byte, 0 where the code page has none.
unsigned long CharacterOf(unsigned char byte)
{
    if (byte == 0)
        return 0;
    const char text[2] = {(char)byte, 0};
    std::string utf8 = Cp1251ToUtf8(text);
    const unsigned char* p = (const unsigned char*)utf8.data();
    unsigned long cp;
    if (utf8.size() == 1)
        cp = p[0];
    else if (utf8.size() == 2)
        cp = ((p[0] & 0x1Ful) << 6) | (p[1] & 0x3Ful);
    else if (utf8.size() == 3)
        cp = ((p[0] & 0x0Ful) << 12) | ((p[1] & 0x3Ful) << 6) | (p[2] & 0x3Ful);
    else
        return 0;
    return cp == 0xFFFD ? 0 : cp;
}

// The outline of one glyph flattened into closed polygons, in font units.
struct Flattener {
    std::vector<Contour> contours;
    double tolerance = 1.0;

    void Add(double x, double y)
    {
        Contour& contour = contours.back();
        if (contour.empty() || contour.back().x != x || contour.back().y != y)
            contour.push_back(Point{x, y});
    }

    // Segments needed for a curve whose second derivative is at most `bend` in size.
    int Segments(double bend) const
    {
        int n = (int)std::ceil(std::sqrt(bend / (8.0 * tolerance)));
        return std::min(std::max(n, 1), 64);
    }
};

int MoveTo(const FT_Vector* to, void* user)
{
    Flattener* f = (Flattener*)user;
    f->contours.emplace_back();
    f->Add(to->x, to->y);
    return 0;
}

int LineTo(const FT_Vector* to, void* user)
{
    ((Flattener*)user)->Add(to->x, to->y);
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    Flattener* f = (Flattener*)user;
    const Point p0 = f->contours.back().back();
    const Point p1 = {(double)control->x, (double)control->y};
    const Point p2 = {(double)to->x, (double)to->y};
    // B'' = 2 (p0 - 2 p1 + p2); a chord over 1/n of the curve strays at most |B''| / (8 n^2).
    const double bend = 2.0 * std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y);
    const int n = f->Segments(bend);
    for (int i = 1; i < n; ++i) {
        double t = (double)i / n;
        double a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
        f->Add(a * p0.x + b * p1.x + c * p2.x, a * p0.y + b * p1.y + c * p2.y);
    }
    f->Add(p2.x, p2.y);
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
{
    Flattener* f = (Flattener*)user;
    const Point p0 = f->contours.back().back();
    const Point p1 = {(double)control1->x, (double)control1->y};
    const Point p2 = {(double)control2->x, (double)control2->y};
    const Point p3 = {(double)to->x, (double)to->y};
    // |B''| <= 6 max(|p0 - 2 p1 + p2|, |p1 - 2 p2 + p3|).
    const double bend = 6.0 * std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                       std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const int n = f->Segments(bend);
    for (int i = 1; i < n; ++i) {
        double t = (double)i / n, s = 1 - t;
        double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
        f->Add(a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y);
    }
    f->Add(p3.x, p3.y);
    return 0;
}

// Drops the closing point that repeats the first, and contours too small to enclose anything.
void CloseContours(std::vector<Contour>& contours)
{
    for (Contour& contour : contours)
        while (contour.size() > 1 && contour.back().x == contour.front().x &&
               contour.back().y == contour.front().y)
            contour.pop_back();
    contours.erase(std::remove_if(contours.begin(), contours.end(),
                                  [](const Contour& c) { return c.size() < 3; }),
                   contours.end());
}

// The filled area of the contours as independent triangles, by the nonzero winding rule.
struct Tessellation {
    GLUtesselator* tess = nullptr;
    std::vector<std::array<GLdouble, 3>> vertices;   // the contours' points, fixed in place
    std::deque<std::array<GLdouble, 3>> combined;    // points made where edges cross
    std::vector<const GLdouble*> triangles;          // three per triangle
    bool failed = false;

    static void GLAPIENTRY Begin(GLenum, void*) {}
    static void GLAPIENTRY EdgeFlag(GLboolean, void*) {}  // asking for edge flags gives triangles only
    static void GLAPIENTRY End(void*) {}
    static void GLAPIENTRY Vertex(void* vertex, void* self)
    {
        ((Tessellation*)self)->triangles.push_back((const GLdouble*)vertex);
    }
    static void GLAPIENTRY Combine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* self)
    {
        Tessellation* t = (Tessellation*)self;
        t->combined.push_back({coords[0], coords[1], coords[2]});
        *out = t->combined.back().data();
    }
    static void GLAPIENTRY Error(GLenum, void* self) { ((Tessellation*)self)->failed = true; }

    bool Open()
    {
        tess = gluNewTess();
        if (!tess)
            return false;
        gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessNormal(tess, 0.0, 0.0, 1.0);
        gluTessCallback(tess, GLU_TESS_BEGIN_DATA, (_GLUfuncptr)Begin);
        gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, (_GLUfuncptr)EdgeFlag);
        gluTessCallback(tess, GLU_TESS_END_DATA, (_GLUfuncptr)End);
        gluTessCallback(tess, GLU_TESS_VERTEX_DATA, (_GLUfuncptr)Vertex);
        gluTessCallback(tess, GLU_TESS_COMBINE_DATA, (_GLUfuncptr)Combine);
        gluTessCallback(tess, GLU_TESS_ERROR_DATA, (_GLUfuncptr)Error);
        return true;
    }

    ~Tessellation()
    {
        if (tess)
            gluDeleteTess(tess);
    }

    // Fills `triangles`; the points stay valid until the next call.
    void Run(const std::vector<Contour>& contours, double scale)
    {
        triangles.clear();
        combined.clear();
        vertices.clear();
        failed = false;
        std::size_t total = 0;
        for (const Contour& contour : contours)
            total += contour.size();
        vertices.reserve(total);
        gluTessBeginPolygon(tess, this);
        for (const Contour& contour : contours) {
            gluTessBeginContour(tess);
            for (const Point& p : contour) {
                vertices.push_back({p.x * scale, p.y * scale, 0.0});
                gluTessVertex(tess, vertices.back().data(), vertices.back().data());
            }
            gluTessEndContour(tess);
        }
        gluTessEndPolygon(tess);
        triangles.resize(triangles.size() - triangles.size() % 3);
        // Every triangle counter-clockwise seen from the front.
        for (std::size_t i = 0; i < triangles.size(); i += 3) {
            const GLdouble *a = triangles[i], *b = triangles[i + 1], *c = triangles[i + 2];
            if ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]) < 0)
                std::swap(triangles[i + 1], triangles[i + 2]);
        }
    }
};

// Twice the signed area of the contours: positive when the outer contours run
// counter-clockwise (PostScript outlines), negative when clockwise (TrueType outlines).
double WindingArea(const std::vector<Contour>& contours)
{
    double area = 0;
    for (const Contour& contour : contours)
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const Point& a = contour[i];
            const Point& b = contour[(i + 1) % contour.size()];
            area += a.x * b.y - b.x * a.y;
        }
    return area;
}

// The glyph as one run of triangles (every face of it the same kind of primitive, which
// feedback and selection modes handle as well as drawing does): the front face, the back face,
// then a wall for every edge, each run with its normal.
GlyphShape ShapeOf(const Tessellation& fill, const std::vector<Contour>& contours, double scale,
                   GLfloat extrusion, const GLYPHMETRICSFLOAT& measure)
{
    GlyphShape shape;
    shape.metrics = measure;
    const bool solid = extrusion > 0.0f;
    if (fill.triangles.empty() && !(solid && !contours.empty()))
        return shape;
    GlyphPrimitive triangles;
    triangles.mode = GL_TRIANGLES;
    GlyphRun front;
    front.normal[2] = 1.0f;
    for (const GLdouble* v : fill.triangles)
        front.vertices.insert(front.vertices.end(), {(GLfloat)v[0], (GLfloat)v[1], 0.0f});
    triangles.runs.push_back(std::move(front));
    if (solid) {
        GlyphRun back;
        back.normal[2] = -1.0f;
        for (std::size_t i = fill.triangles.size(); i-- > 0;)
            back.vertices.insert(back.vertices.end(), {(GLfloat)fill.triangles[i][0],
                                                       (GLfloat)fill.triangles[i][1], -extrusion});
        triangles.runs.push_back(std::move(back));
        // The filled side of an edge is on its left when the outer contours run
        // counter-clockwise, on its right otherwise; the wall faces the other way.
        const bool counterClockwise = WindingArea(contours) > 0;
        for (const Contour& contour : contours)
            for (std::size_t i = 0; i < contour.size(); ++i) {
                Point a = contour[i];
                Point b = contour[(i + 1) % contour.size()];
                if (counterClockwise)
                    std::swap(a, b);
                // Walking from a to b the solid lies on the right: the wall faces left.
                const double dx = b.x - a.x, dy = b.y - a.y;
                const double length = std::hypot(dx, dy);
                const GLfloat ax = (GLfloat)(a.x * scale), ay = (GLfloat)(a.y * scale);
                const GLfloat bx = (GLfloat)(b.x * scale), by = (GLfloat)(b.y * scale);
                GlyphRun wall;
                wall.normal[0] = (GLfloat)(-dy / length);
                wall.normal[1] = (GLfloat)(dx / length);
                wall.vertices = {ax, ay, 0.0f, bx, by, 0.0f,       bx, by, -extrusion,
                                 ax, ay, 0.0f, bx, by, -extrusion, ax, ay, -extrusion};
                triangles.runs.push_back(std::move(wall));
            }
    }
    shape.primitives.push_back(std::move(triangles));
    return shape;
}

// The mean advance of the Cyrillic capitals and the digits (the HUD's and the title's letters)
// in the narrow face the game ships, Yanone Kaffeesatz Bold, in ems.
const double narrowMeanAdvance = 0.4119;

// What a face's widths are multiplied by to give its capitals and digits the narrow face's
// mean advance (1 where they are no wider).
double Condensing(FT_Face face)
{
    double sum = 0.0;
    int counted = 0;
    auto add = [&](unsigned long character) {
        FT_UInt glyph = FT_Get_Char_Index(face, character);
        if (glyph != 0 && FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0) {
            sum += (double)face->glyph->metrics.horiAdvance;
            ++counted;
        }
    };
    for (unsigned long capital = 0x410; capital <= 0x42F; ++capital)
        add(capital);
    for (unsigned long digit = '0'; digit <= '9'; ++digit)
        add(digit);
    if (counted == 0 || sum <= 0.0)
        return 1.0;
    const double mean = sum / counted / face->units_per_EM;
    return mean > narrowMeanAdvance ? narrowMeanAdvance / mean : 1.0;
}

}  // namespace

bool LayerGlyphGeometry(HDC dc, DWORD first, DWORD count, FLOAT deviation, FLOAT extrusion,
                        int format, GlyphSet& glyphs)
{
    // Only filled glyphs are built; characters are single bytes.
    if (!dc || !dc->font || format != WGL_FONT_POLYGONS || first > 255 || count > 256 - first ||
        !(deviation >= 0.0f) || !(extrusion >= 0.0f))
        return false;
    FT_Face face = LayerFontFace(dc->font);
    if (!face)
        return false;
    Tessellation fill;
    if (!fill.Open())
        return false;

    const LayerGdiObject& font = *dc->font;
    glyphs.request = GlyphRequest{font.faceName, font.height, font.weight, font.italic,
                                  font.charSet, deviation, extrusion, format, first};
    glyphs.glyphs.clear();
    glyphs.glyphs.reserve(count);

    const double unitsPerEm = face->units_per_EM;
    const double scale = 1.0 / unitsPerEm;
    LayerFontChoice choice;
    const double condense =
        LayerFontChoiceOf(dc->font, choice) && choice.widerThanAsked ? Condensing(face) : 1.0;
    const FT_Int32 loadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
    // A character the font lacks takes the width of its missing-glyph box and draws nothing.
    GLfloat missingAdvance = 0.0f;
    if (FT_Load_Glyph(face, 0, loadFlags) == 0)
        missingAdvance = (GLfloat)(face->glyph->metrics.horiAdvance * scale * condense);

    FT_Outline_Funcs walk = {};
    walk.move_to = MoveTo;
    walk.line_to = LineTo;
    walk.conic_to = ConicTo;
    walk.cubic_to = CubicTo;
    Flattener flat;
    flat.tolerance = deviation > 0.0f ? deviation * unitsPerEm : 1.0;

    for (DWORD i = 0; i < count; ++i) {
        const unsigned long character = CharacterOf((unsigned char)(first + i));
        const FT_UInt glyph = character ? FT_Get_Char_Index(face, character) : 0;
        GLYPHMETRICSFLOAT measure = {};
        measure.gmfCellIncX = missingAdvance;
        flat.contours.clear();
        if (glyph != 0 && FT_Load_Glyph(face, glyph, loadFlags) == 0) {
            const FT_Glyph_Metrics& m = face->glyph->metrics;
            measure.gmfCellIncX = (FLOAT)(m.horiAdvance * scale * condense);
            measure.gmfBlackBoxX = (FLOAT)(m.width * scale * condense);
            measure.gmfBlackBoxY = (FLOAT)(m.height * scale);
            measure.gmfptGlyphOrigin.x = (FLOAT)(m.horiBearingX * scale * condense);
            measure.gmfptGlyphOrigin.y = (FLOAT)(m.horiBearingY * scale);
            if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE &&
                FT_Outline_Decompose(&face->glyph->outline, &walk, &flat) != 0)
                flat.contours.clear();
            CloseContours(flat.contours);
            if (condense != 1.0)
                for (Contour& contour : flat.contours)
                    for (Point& point : contour)
                        point.x *= condense;
        }
        fill.Run(flat.contours, scale);
        glyphs.glyphs.push_back(ShapeOf(fill, flat.contours, scale, extrusion, measure));
    }
    return true;
}

BOOL WINAPI wglUseFontOutlinesA(HDC dc, DWORD first, DWORD count, DWORD listBase, FLOAT deviation,
                                FLOAT extrusion, int format, LPGLYPHMETRICSFLOAT metrics)
{
    if (!dc || !dc->font || format != WGL_FONT_POLYGONS || listBase == 0 || first > 255 ||
        count > 256 - first || !(deviation >= 0.0f) || !(extrusion >= 0.0f))
        return FALSE;
    if (!layerHost.currentContext())
        return FALSE;
    GlyphSet glyphs;
    if (!LayerGlyphGeometry(dc, first, count, deviation, extrusion, format, glyphs))
        return FALSE;
    LayerCompileGlyphLists(glyphs, listBase, metrics);
    return TRUE;
}
