// The outline font: the face the layer picks, the glyph lists wglUseFontOutlinesA builds (shapes,
// holes, extrusion, normals, advances) and how PrintText lays texts out. Texts are written in
// UTF-8 here and converted to the game's Windows-1251 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "platform/layer/charset.h"
#include "platform/layer/font_face.h"
#include "platform/layer/glyph_file.h"
#include "platform/scripted/scripted_host.h"
#include "platform/layer/layer.h"
#include "render/outline_font.h"
#include "tests/scenario.h"
#include "tools/formats/png_writer.h"
#include "tools/glyphgen/glyph_writer.h"

namespace {

std::string Cp(const char* utf8)
{
    return Utf8ToCp1251(utf8);
}

HFONT MakeFont(const char* face, int weight, bool italic, DWORD charSet)
{
    return CreateFontA(-12, 0, 0, 0, weight, italic, FALSE, FALSE, charSet, OUT_TT_PRECIS,
                       CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, face);
}

bool Slanted(const LayerFontChoice& choice)
{
    return choice.style.find("Italic") != std::string::npos || choice.style.find("Oblique") != std::string::npos;
}

// Fontconfig's weights: 80 regular, 200 bold.
TEST(FontChoice, InstalledFacesAreTakenAndMissingOnesGetAHeavyCyrillicStandIn)
{
    HFONT regular = MakeFont("DejaVu Sans", FW_NORMAL, false, ANSI_CHARSET);
    HFONT boldItalic = MakeFont("dejavu sans", FW_BOLD, true, RUSSIAN_CHARSET);
    HFONT game = MakeFont("Haettenschweiler", FW_HEAVY, false, RUSSIAN_CHARSET);
    HFONT unnamed = MakeFont(nullptr, 0, false, ANSI_CHARSET);
    LayerFontChoice choice;
    ASSERT_TRUE(LayerFontChoiceOf(regular, choice));
    EXPECT_EQ(choice.family, "DejaVu Sans");
    EXPECT_EQ(choice.weight, 80);
    EXPECT_FALSE(Slanted(choice)) << choice.style;
    ASSERT_TRUE(LayerFontChoiceOf(boldItalic, choice)) << "family names match without case";
    EXPECT_EQ(choice.family, "DejaVu Sans");
    EXPECT_EQ(choice.weight, 200);
    EXPECT_TRUE(Slanted(choice)) << choice.style;
    // Not fontconfig's plain regular default: a heavy upright proportional face with Cyrillic.
    ASSERT_TRUE(LayerFontChoiceOf(game, choice));
    std::printf("[ face     ] %s %s (%s)\n", choice.family.c_str(), choice.style.c_str(), choice.file.c_str());
    EXPECT_TRUE(choice.coversCyrillic);
    EXPECT_GE(choice.weight, 200);
    EXPECT_FALSE(Slanted(choice)) << choice.style;
    EXPECT_EQ(choice.family.find("Mono"), std::string::npos) << choice.family;
    EXPECT_TRUE(LayerFontChoiceOf(unnamed, choice)) << "a font without a face name still gets one";
    // The record keeps what was asked for.
    EXPECT_EQ(boldItalic->kind, LayerGdiObject::Kind::Font);
    EXPECT_EQ(boldItalic->height, -12);
    EXPECT_EQ(boldItalic->weight, FW_BOLD);
    EXPECT_TRUE(boldItalic->italic);
    EXPECT_EQ(boldItalic->charSet, (DWORD)RUSSIAN_CHARSET);
    EXPECT_EQ(boldItalic->faceName, "dejavu sans");
    EXPECT_EQ(unnamed->faceName, "");
    for (HFONT font : {regular, boldItalic, game, unnamed})
        EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(LayerFontChoiceOf(game, choice)) << "a deleted font is forgotten";
}

// A vertex as OpenGL's feedback reports it (window coordinates, the red of its lit colour) and
// mapped back into the coordinates the text was drawn in.
struct Vertex {
    float x, y, z, red;
    float textX, textY, textZ;
};
typedef std::vector<Vertex> Polygon;

// Twice the signed area on screen: positive when counter-clockwise (front-facing).
double ScreenArea(const Polygon& polygon)
{
    double area = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vertex& a = polygon[i];
        const Vertex& b = polygon[(i + 1) % polygon.size()];
        area += (double)a.x * b.y - (double)b.x * a.y;
    }
    return area;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // bottom row first
    bool Lit(int x, int y) const { return rgb[((std::size_t)y * width + x) * 3 + 1] > 127; }
};

// Lit regions (8-connected) and holes: dark regions (4-connected) not reaching the border.
void CountRegions(const Picture& picture, int& lit, int& holes)
{
    const int w = picture.width, h = picture.height;
    std::vector<char> seen((std::size_t)w * h, 0);
    std::vector<int> stack;
    lit = holes = 0;
    for (int start = 0; start < w * h; ++start) {
        if (seen[start])
            continue;
        const bool on = picture.Lit(start % w, start / w);
        bool border = false;
        stack.assign(1, start);
        seen[start] = 1;
        while (!stack.empty()) {
            int x = stack.back() % w, y = stack.back() / w;
            stack.pop_back();
            border = border || x == 0 || y == 0 || x == w - 1 || y == h - 1;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if ((!on && dx && dy) || nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    if (!seen[ny * w + nx] && picture.Lit(nx, ny) == on) {
                        seen[ny * w + nx] = 1;
                        stack.push_back(ny * w + nx);
                    }
                }
        }
        lit += on;
        holes += !on && !border;
    }
}

// The game window opened as the game opens it (message boxes answered Yes) with the font built,
// and a plain state: white, unlit, untextured, 200 pixels to the unit over 800x600 (x from -2
// to 2, y from -1.5 to 1.5, z from -2 to 2).
class OutlineFont : public ::testing::Test {
protected:
    static const int width = 800;
    static const int height = 600;

    void SetUp() override
    {
        ResetProcessState();
        ScriptedHostSetup hooks;
        hooks.messageBox = [](const std::string&, const std::string&, UINT) { return IDYES; };
        InstallScriptedHost(hooks);
        ASSERT_EQ(OpenGameWindow(gameWindowTitle, width, height, 16, 1), 1);
        auto start = std::chrono::steady_clock::now();
        int built = BuildOutlineFont(windowDC);
        buildMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ASSERT_NE(built, 0);
        glViewport(0, 0, width, height);
        for (GLenum capability : {GL_TEXTURE_2D, GL_LIGHTING, GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE,
                                  GL_FOG, GL_COLOR_MATERIAL, GL_LIGHT1})
            glDisable(capability);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -1.5, 1.5, -2, 2);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
        glClearColor(0, 0, 0, 0);
    }

    void TearDown() override
    {
        // The game leaves its font selected for good; here it goes with the window.
        if (windowDC && windowDC->font)
            DeleteObject(windowDC->font);
        CloseGameWindow();
        LayerInstallHost(nullptr);
        ResetProcessState();
    }

    static float OriginX()
    {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        EXPECT_EQ(m[13], 0.0f) << "texts stay on the baseline";
        EXPECT_EQ(m[14], 0.0f);
        return m[12];
    }

    // How far the origin moves when the text is printed.
    static float AdvanceAfter(const std::function<void()>& print)
    {
        glLoadIdentity();
        print();
        return OriginX();
    }
    static float AdvanceOf(const std::string& text)
    {
        return AdvanceAfter([&] { PrintText("%s", text.c_str()); });
    }

    // The polygons `draw` makes, from the feedback mode, with the text turned about y and then
    // tilted about x (rotations only, so that they can be undone).
    static std::vector<Polygon> Feedback(const std::function<void()>& draw, float turn = 0, float tilt = 0)
    {
        RequireDrawing();
        glLoadIdentity();
        glRotatef(tilt, 1, 0, 0);
        glRotatef(turn, 0, 1, 0);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        std::vector<GLfloat> buffer(1 << 21);
        glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_GE(used, 0) << "feedback buffer overflow";
        std::vector<Polygon> polygons;
        for (GLint i = 0; i < used;) {
            if (buffer[i++] != GL_POLYGON_TOKEN) {
                ADD_FAILURE() << "glyphs draw polygons only";
                break;
            }
            polygons.emplace_back();
            for (int n = (int)buffer[i++]; n > 0; --n, i += 7) {
                // Window to eye coordinates; the rotation's inverse is its transpose.
                const float eye[3] = {buffer[i] / 200 - 2, buffer[i + 1] / 200 - 1.5f, 2 - 4 * buffer[i + 2]};
                float text[3];
                for (int c = 0; c < 3; ++c)
                    text[c] = m[c * 4] * eye[0] + m[c * 4 + 1] * eye[1] + m[c * 4 + 2] * eye[2];
                polygons.back().push_back({buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3],
                                           text[0], text[1], text[2]});
            }
        }
        return polygons;
    }

    static Picture Render(const std::function<void()>& draw)
    {
        RequireDrawing();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        draw();
        glFinish();
        // Without DISPLAY, SDL's offscreen driver gives a single-buffered window.
        GLint doubleBuffered = 0;
        glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffered);
        glReadBuffer(doubleBuffered ? GL_BACK : GL_FRONT);
        Picture picture;
        picture.width = width;
        picture.height = height;
        picture.rgb.resize((std::size_t)width * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
        return picture;
    }

    // The glyph metrics of the font in the window, from a second build.
    static std::vector<GLYPHMETRICSFLOAT> Metrics()
    {
        std::vector<GLYPHMETRICSFLOAT> metrics(255);
        GLuint base = glGenLists(256);
        EXPECT_TRUE(wglUseFontOutlinesA(windowDC, 0, 255, base, 0.0f, 0.09f, WGL_FONT_POLYGONS, metrics.data()));
        glDeleteLists(base, 256);
        return metrics;
    }

    double buildMs = 0;
};

TEST_F(OutlineFont, EveryCodeButTheLastHasAGlyphFromACyrillicFace)
{
    std::printf("[ build    ] 255 glyph lists in %.1f ms\n", buildMs);
    LayerFontChoice choice;
    ASSERT_TRUE(LayerFontChoiceOf(windowDC->font, choice)) << "the font stays selected in the window";
    EXPECT_TRUE(choice.coversCyrillic) << choice.family;
    for (GLuint code = 0; code < 255; ++code)
        EXPECT_TRUE(glIsList(fontBase + code)) << code;
    // List 255 neither draws nor moves.
    EXPECT_TRUE(Feedback([] { glCallList(fontBase + 255); }).empty());
    EXPECT_EQ(OriginX(), 0.0f);
    for (unsigned char code : Cp(u8"0123456789AZaz%ЁёАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзэю")) {
        EXPECT_GT(Feedback([&] { glCallList(fontBase + code); }).size(), 2u) << (int)code;
        EXPECT_GT(AdvanceOf(std::string(1, (char)code)), 0.05f) << (int)code;
    }
    EXPECT_GT(AdvanceOf("\xC6"), AdvanceOf(Cp(u8"Г"))) << "Ж is wider than Г in any face";
}

// The metrics agree with the lists: the advance with how far the origin moves, the black box
// with where the glyph lies.
TEST_F(OutlineFont, MetricsMatchTheGlyphLists)
{
    std::vector<GLYPHMETRICSFLOAT> metrics = Metrics();
    for (GLuint code = 0; code < 255; ++code) {
        glLoadIdentity();
        glCallList(fontBase + code);
        EXPECT_FLOAT_EQ(metrics[code].gmfCellIncX, OriginX()) << code;
    }
    EXPECT_GT(metrics[' '].gmfCellIncX, 0.1f);
    EXPECT_EQ(metrics[' '].gmfBlackBoxX, 0.0f);
    for (GLuint empty : {0x20u, 0x98u})  // a space; 0x98, which has no character
        EXPECT_TRUE(Feedback([&] { glCallList(fontBase + empty); }).empty()) << empty;
    for (unsigned char code : Cp(u8"0478ОЖЩФ")) {
        const GLYPHMETRICSFLOAT& m = metrics[code];
        float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
        for (const Polygon& polygon : Feedback([&] { glCallList(fontBase + code); }))
            for (const Vertex& v : polygon) {
                left = std::min(left, v.textX), right = std::max(right, v.textX);
                bottom = std::min(bottom, v.textY), top = std::max(top, v.textY);
            }
        EXPECT_NEAR(left, m.gmfptGlyphOrigin.x, 0.01f) << (int)code;
        EXPECT_NEAR(top, m.gmfptGlyphOrigin.y, 0.01f) << (int)code;
        EXPECT_NEAR(right - left, m.gmfBlackBoxX, 0.01f) << (int)code;
        EXPECT_NEAR(top - bottom, m.gmfBlackBoxY, 0.01f) << (int)code;
        EXPECT_GT(m.gmfBlackBoxY, 0.4f) << "capitals and digits stand about 0.7 em high";
        EXPECT_EQ(m.gmfCellIncY, 0.0f);
    }
}

TEST_F(OutlineFont, BadArgumentsAndFontlessContextsFail)
{
    GLuint base = glGenLists(256);
    auto build = [&](HDC dc, DWORD first, DWORD count, DWORD listBase, float deviation, float extrusion, int format) {
        return wglUseFontOutlinesA(dc, first, count, listBase, deviation, extrusion, format, NULL);
    };
    EXPECT_FALSE(build(NULL, 0, 10, base, 0, 0.1f, WGL_FONT_POLYGONS));
    EXPECT_FALSE(build(windowDC, 0, 10, 0, 0, 0.1f, WGL_FONT_POLYGONS));
    EXPECT_FALSE(build(windowDC, 200, 57, base, 0, 0.1f, WGL_FONT_POLYGONS));
    EXPECT_FALSE(build(windowDC, 0, 10, base, -1, 0.1f, WGL_FONT_POLYGONS));
    EXPECT_FALSE(build(windowDC, 0, 10, base, 0, -0.1f, WGL_FONT_POLYGONS));
    EXPECT_FALSE(build(windowDC, 0, 10, base, 0, 0.1f, WGL_FONT_LINES));
    EXPECT_TRUE(build(windowDC, 0, 256, base, 0.01f, 0.1f, WGL_FONT_POLYGONS));
    HDC memory = CreateCompatibleDC(windowDC);
    EXPECT_FALSE(build(memory, 0, 10, base, 0, 0.1f, WGL_FONT_POLYGONS)) << "no font selected";
    DeleteDC(memory);
    DeleteObject(windowDC->font);
    EXPECT_FALSE(build(windowDC, 0, 10, base, 0, 0.1f, WGL_FONT_POLYGONS)) << "the font is gone";
    glDeleteLists(base, 256);
}

// The page's path: the game's glyphs made without a GL context, written as a glyph file, read
// back and compiled draw exactly what the lists built here draw, lit so that the normals show in
// the colours, turned so that the walls and the back show, with the same metrics.
TEST_F(OutlineFont, GlyphsReadFromAGlyphFileDrawWhatTheBuiltListsDraw)
{
    GlyphSet made, read;
    ASSERT_TRUE(LayerGlyphGeometry(windowDC, 0, 255, 0.0f, 0.09f, WGL_FONT_POLYGONS, made));
    const std::vector<unsigned char> bytes = GlyphFileBytes(made);
    std::string error;
    ASSERT_TRUE(ReadGlyphFile(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(read.request.face, "Haettenschweiler");
    EXPECT_EQ(read.request.weight, FW_HEAVY);
    std::vector<GLYPHMETRICSFLOAT> metrics(255);
    GLuint base = glGenLists(256);
    LayerCompileGlyphLists(read, base, metrics.data());
    const std::vector<GLYPHMETRICSFLOAT> built = Metrics();
    EXPECT_EQ(std::memcmp(metrics.data(), built.data(), sizeof(GLYPHMETRICSFLOAT) * 255), 0);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    auto same = [](const std::vector<Polygon>& a, const std::vector<Polygon>& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].size() != b[i].size() ||
                std::memcmp(a[i].data(), b[i].data(), a[i].size() * sizeof(Vertex)) != 0)
                return false;
        return true;
    };
    std::size_t drawn = 0;
    for (GLuint code = 0; code < 255; ++code) {
        const std::vector<Polygon> direct = Feedback([&] { glCallList(fontBase + code); }, 35, 20);
        drawn += direct.size();
        EXPECT_TRUE(same(direct, Feedback([&] { glCallList(base + code); }, 35, 20))) << code;
    }
    EXPECT_GT(drawn, 10000u);
    glDeleteLists(base, 256);
}

TEST_F(OutlineFont, NullEmptyAndByte255TextsDrawAndMoveNothing)
{
    auto printFrom = [](float x, const char* format) {
        glTranslatef(x, 0, 0);
        PrintText(format, "");
    };
    const char* const silent[] = {nullptr, "", "%s", "\xFF", "\xFF\xFF"};
    for (const char* format : silent) {
        EXPECT_TRUE(Feedback([&] { printFrom(0.25f, format); }).empty()) << (format ? format : "null");
        glLoadIdentity();
        printFrom(0.25f, format);
        EXPECT_EQ(OriginX(), 0.25f);
    }
    // Byte 255 between two letters: the second follows the first directly.
    EXPECT_FLOAT_EQ(AdvanceOf("A\xFF" "B"), AdvanceOf("AB"));
    std::vector<Polygon> with = Feedback([] { PrintText("A\xFF" "B"); });
    std::vector<Polygon> without = Feedback([] { PrintText("AB"); });
    ASSERT_EQ(with.size(), without.size());
    for (std::size_t i = 0; i < with.size(); ++i)
        EXPECT_NEAR(with[i][0].textX, without[i][0].textX, 1e-5f);
}

TEST_F(OutlineFont, NumbersArePaddedAndTextsFollowEachOther)
{
    const float space = AdvanceOf(" ");
    ASSERT_GT(space, 0.1f);
    EXPECT_NEAR(AdvanceAfter([] { PrintText("%3.0f", 7.0); }), 2 * space + AdvanceOf("7"), 1e-6);
    // The digit itself stands two space widths to the right.
    std::vector<Polygon> padded = Feedback([] { PrintText("%3.0f", 7.0); });
    std::vector<Polygon> moved = Feedback([&] {
        glTranslatef(2 * space, 0, 0);
        PrintText("7");
    });
    ASSERT_FALSE(padded.empty());
    ASSERT_EQ(padded.size(), moved.size());
    for (std::size_t i = 0; i < padded.size(); ++i)
        for (std::size_t v = 0; v < padded[i].size() && v < moved[i].size(); ++v) {
            EXPECT_NEAR(padded[i][v].textX, moved[i][v].textX, 1e-5f);
            EXPECT_NEAR(padded[i][v].textY, moved[i][v].textY, 1e-5f);
        }
    EXPECT_NEAR(AdvanceAfter([] { PrintText(Cp(u8"СЧЁТ: %3.0f").c_str(), 12.4); }),
                AdvanceOf(Cp(u8"СЧЁТ:  12")), 1e-6);
    EXPECT_NEAR(AdvanceAfter([] { PrintText("%3.0f", 1234.0); }), AdvanceOf("1234"), 1e-6);

    // A second text starts where the first ended; the caller's list base is kept.
    glListBase(7);
    EXPECT_NEAR(AdvanceAfter([] {
                    PrintText("%s", Cp(u8"ШАРОВАЯ").c_str());
                    PrintText("%s", Cp(u8" МОЛНИЯ").c_str());
                }),
                AdvanceOf(Cp(u8"ШАРОВАЯ МОЛНИЯ")), 1e-5);
    GLint listBase = 0;
    glGetIntegerv(GL_LIST_BASE, &listBase);
    EXPECT_EQ(listBase, 7);
    glListBase(0);
}

TEST_F(OutlineFont, TextsLongerThan255CharactersAreCut)
{
    std::string digits;
    while (digits.size() < 300)
        digits += "0123456789";
    const float cut = AdvanceOf(digits.substr(0, 255));
    EXPECT_GT(cut, AdvanceOf(digits.substr(0, 254)));
    EXPECT_NEAR(AdvanceOf(digits), cut, 1e-4);
    EXPECT_NEAR(AdvanceAfter([&] { PrintText("%s%s", digits.c_str(), digits.c_str()); }), cut, 1e-4);
}

// Drawn 500 pixels to the em, letters with counters keep them open inside one stroke.
TEST_F(OutlineFont, HolesStayOpen)
{
    const std::pair<const char*, int> shapes[] = {{u8"О", 1}, {u8"А", 1}, {u8"Р", 1}, {u8"Д", 1},
                                                  {u8"Ь", 1}, {u8"8", 2}, {u8"В", 2}, {u8"0", 1},
                                                  {u8"Т", 0}, {u8"Ж", 0}};
    for (const auto& shape : shapes) {
        Picture picture = Render([&] {
            glTranslatef(-1.2f, -0.9f, 0);
            glScalef(2.5f, 2.5f, 2.5f);
            PrintText("%s", Cp(shape.first).c_str());
        });
        int lit, holes;
        CountRegions(picture, lit, holes);
        EXPECT_EQ(holes, shape.second) << shape.first;
        EXPECT_EQ(lit, 1) << shape.first;
    }
}

// Front face at z = 0 facing the viewer, back face at z = -0.09 facing away, walls between.
TEST_F(OutlineFont, GlyphsAreExtrudedBackwardsBy009)
{
    const std::string o = Cp(u8"О");
    double front = 0, back = 0;
    for (const Polygon& polygon : Feedback([&] { PrintText("%s", o.c_str()); })) {
        int atFront = 0, atBack = 0;
        for (const Vertex& v : polygon) {
            atFront += std::fabs(v.textZ) < 1e-5f;
            atBack += std::fabs(v.textZ + 0.09f) < 1e-5f;
        }
        ASSERT_EQ(atFront + atBack, (int)polygon.size()) << "every vertex on one of the faces";
        if (atFront == (int)polygon.size())
            front += ScreenArea(polygon);
        else if (atBack == (int)polygon.size())
            back += ScreenArea(polygon);
        else
            EXPECT_NEAR(ScreenArea(polygon), 0.0, 1e-3) << "walls are edge-on from the front";
    }
    EXPECT_GT(front, 1000.0) << "front faces are counter-clockwise towards the viewer";
    EXPECT_NEAR(back, -front, 1e-3 * front) << "back faces turn away";
    // Turned, walls join the two faces.
    int walls = 0;
    for (const Polygon& polygon : Feedback([&] { PrintText("%s", o.c_str()); }, 30, 20)) {
        float nearest = 0, farthest = 0;
        for (const Vertex& v : polygon)
            nearest = std::max(nearest, v.textZ), farthest = std::min(farthest, v.textZ);
        walls += nearest > -1e-4f && farthest < -0.09f + 1e-4f;
    }
    EXPECT_GT(walls, 16);
    // Built without extrusion, the glyph is its front face alone.
    GLuint flat = glGenLists(256);
    ASSERT_TRUE(wglUseFontOutlinesA(windowDC, 0, 255, flat, 0.0f, 0.0f, WGL_FONT_POLYGONS, NULL));
    double area = 0;
    for (const Polygon& polygon : Feedback([&] { glCallList(flat + (unsigned char)o[0]); })) {
        for (const Vertex& v : polygon)
            EXPECT_NEAR(v.textZ, 0.0f, 1e-5f);
        area += ScreenArea(polygon);
    }
    EXPECT_NEAR(area, front, 1e-3 * front);
    glDeleteLists(flat, 256);
}

// Every face's normal points out of the solid glyph and its winding agrees with it.
TEST_F(OutlineFont, NormalsAndWindingFaceOutwards)
{
    // Lit faces are 0.04 + 0.8 n.l red: the ambient 0.2 x 0.2 and the diffuse 0.8 x 1.
    // Only this test's own light: the game's render state lights the scene with light 2 and
    // colour material, which would wash out the facing measured here.
    glDisable(GL_LIGHT2);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat one[] = {1, 1, 1, 1}, none[] = {0, 0, 0, 1}, fifth[] = {0.2f, 0.2f, 0.2f, 1};
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, one);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, fifth);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, fifth);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    auto facing = [](const Polygon& polygon) { return (polygon[0].red - 0.04f) / 0.8f; };
    auto light = [](GLfloat x, GLfloat z) {
        const GLfloat direction[] = {x, 0, z, 0};
        glLoadIdentity();
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
    };

    // Light from +x: across the middle of О the walls face, from left to right, out (-x), into
    // the counter (+x), into the counter (-x) and out (+x).
    light(1, 0);
    std::vector<Polygon> polygons = Feedback([] { PrintText("%s", Cp(u8"О").c_str()); }, 0, 20);
    float low = 1e9f, high = -1e9f;
    for (const Polygon& polygon : polygons)
        for (const Vertex& v : polygon)
            low = std::min(low, v.textY), high = std::max(high, v.textY);
    const float middle = (low + high) / 2 + 0.0031f;
    std::vector<std::pair<float, float>> crossing;  // x, facing
    for (const Polygon& polygon : polygons) {
        float bottom = 1e9f, top = -1e9f, x = 0, nearest = -1, deepest = 0;
        for (const Vertex& v : polygon) {
            bottom = std::min(bottom, v.textY), top = std::max(top, v.textY);
            x += v.textX / polygon.size();
            nearest = std::max(nearest, v.textZ), deepest = std::min(deepest, v.textZ);
        }
        const bool wall = nearest > -0.01f && deepest < -0.08f;
        if (wall && bottom < middle && top > middle)
            crossing.push_back({x, facing(polygon)});
    }
    std::sort(crossing.begin(), crossing.end());
    std::vector<float> walls;  // a wall's two triangles count once
    for (std::size_t i = 0; i < crossing.size(); ++i)
        if (i == 0 || crossing[i].first - crossing[i - 1].first > 0.03f)
            walls.push_back(crossing[i].second);
    ASSERT_EQ(walls.size(), 4u);
    EXPECT_LT(walls[0], 0.05f);
    EXPECT_GT(walls[1], 0.9f);
    EXPECT_LT(walls[2], 0.05f);
    EXPECT_GT(walls[3], 0.9f);

    // Light from the viewer, glyphs turned to show every kind of face: bright exactly when
    // counter-clockwise on screen.
    light(0, 1);
    int lit = 0, unlit = 0;
    for (float turn : {35.0f, 150.0f, -70.0f})
        for (const Polygon& polygon : Feedback([] {
                 glTranslatef(-1.2f, 0, 0);
                 PrintText("%s", Cp(u8"ОЖ8Д").c_str());
             }, turn, 25)) {
            const float f = facing(polygon);
            const double area = ScreenArea(polygon);
            if (std::fabs(area) < 0.5)
                continue;  // edge-on, or cut down to a sliver at the border
            if (f > 0.05f) {
                ++lit;
                EXPECT_GT(area, 0.0) << "turn " << turn << " facing " << f;
            } else if (f < 1e-4f) {  // turned away: ambient light only
                ++unlit;
                EXPECT_LT(area, 0.0) << "turn " << turn;
            }
        }
    EXPECT_GT(lit, 100);
    EXPECT_GT(unlit, 100);
}

// The title line lies in one row from the first glyph's black box to the last one's. With
// TRIMVALD_TEXT_PNG set to a path, a shaded view of it is saved there.
TEST_F(OutlineFont, TitleLineSpansItsGlyphs)
{
    const std::string line = Cp(u8"ТРИМВАЛЬД 0123 СЧЁТ");
    const float total = AdvanceOf(line);
    std::vector<GLYPHMETRICSFLOAT> metrics = Metrics();
    const GLYPHMETRICSFLOAT& first = metrics[(unsigned char)line.front()];
    const GLYPHMETRICSFLOAT& last = metrics[(unsigned char)line.back()];
    const float scale = 3.8f / total;
    Picture picture = Render([&] {
        glTranslatef(-1.9f, -0.2f, 0);
        glScalef(scale, scale, scale);
        PrintText("%s", line.c_str());
    });
    int leftmost = width, rightmost = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (picture.Lit(x, y))
                leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
    const float perEm = 200 * scale;
    EXPECT_NEAR(leftmost, 20 + first.gmfptGlyphOrigin.x * perEm, 2.0f);
    EXPECT_NEAR(rightmost, 20 + (total - last.gmfCellIncX + last.gmfptGlyphOrigin.x + last.gmfBlackBoxX) * perEm, 2.0f);
    // The blank between the title and the number is dark from the end of Д's black box to
    // the start of 0's.
    const std::string title = Cp(u8"ТРИМВАЛЬД");
    const GLYPHMETRICSFLOAT& de = metrics[(unsigned char)title.back()];
    const GLYPHMETRICSFLOAT& zero = metrics['0'];
    const float gapStart = 20 + (AdvanceOf(title) - de.gmfCellIncX + de.gmfptGlyphOrigin.x + de.gmfBlackBoxX) * perEm;
    const float gapEnd = 20 + (AdvanceOf(title + " ") + zero.gmfptGlyphOrigin.x) * perEm;
    EXPECT_GT(gapEnd - gapStart, 0.1f * perEm);
    for (int x = (int)gapStart + 2; x < gapEnd - 2; ++x)
        for (int y = 0; y < height; ++y)
            ASSERT_FALSE(picture.Lit(x, y)) << x << ", " << y;

    const char* path = std::getenv("TRIMVALD_TEXT_PNG");
    if (!path)
        return;
    picture = Render([&] {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, (double)width / height, 0.1, 150.0);
        glMatrixMode(GL_MODELVIEW);
        for (GLenum capability : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL})
            glEnable(capability);
        const GLfloat direction[] = {-0.4f, 0.6f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glTranslatef(-1.35f, -0.15f, -3.0f);
        glRotatef(-18, 0, 1, 0);
        glRotatef(12, 1, 0, 0);
        glScalef(0.28f, 0.4f, 1.6f);
        glColor3f(1.0f, 0.75f, 0.2f);
        PrintText("%s", line.c_str());
    });
    std::vector<unsigned char> topDown(picture.rgb.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&picture.rgb[(std::size_t)(height - 1 - y) * width * 3], width * 3, &topDown[(std::size_t)y * width * 3]);
    std::string error;
    EXPECT_TRUE(WritePng(path, width, height, topDown, error)) << error;
}

}  // namespace

namespace {

// The HUD line lays its texts out at fixed places (the spell name 1 unit in, its count 1 unit
// after it, the score 9 units in): the face standing in for the narrow one asked for must be
// narrow enough that the longest spell name and its count end before the score's digits.
TEST_F(OutlineFont, TheHudLineFitsWithTheLongestSpellName)
{
    const char* const names[] = {u8"ЛУЗЕРСКАЯ СФЕРА", u8"ШАРОВАЯ МОЛНИЯ", u8"ЛЕДЯНОЙ ШАР", u8"ОГНЕННЫЙ ШАР"};
    const float scoreDigits = 9.0f + 2 * AdvanceOf(" ");  // "  0": two spaces, then the digit
    for (const char* name : names) {
        float end = 1.0f + AdvanceOf(Cp(name)) + 1.0f + AdvanceOf(" 99");
        EXPECT_LT(end, scoreDigits) << name;
    }
}

}  // namespace
