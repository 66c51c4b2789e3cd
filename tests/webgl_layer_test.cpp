// The browser's fixed-function layer against the system's OpenGL 1.1 and GLU: the same scenes,
// made of the calls the game makes in the ways it makes them, drawn through both on Mesa's
// llvmpipe, must come out as the same pictures. Both pictures of each scene are written to
// webgl/ in the working folder, to be looked at side by side.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/webgl/draw_cache.h"
#include "platform/webgl/gl11.h"
#include "platform/webgl/mipmaps.h"
#include "tests/offscreen_gl.h"
#include "tools/formats/png_writer.h"

namespace {

// The calls the scenes make, from the system's OpenGL or from the layer.
#define GL_CALLS(X)                                                                                \
    X(Begin) X(End) X(Vertex3f) X(Vertex3fv) X(Normal3f) X(TexCoord2f) X(Color3f) X(Color4f)       \
    X(MatrixMode) X(LoadIdentity) X(Translatef) X(Rotatef) X(Scalef) X(Viewport) X(GenLists)       \
    X(NewList) X(EndList) X(CallList) X(CallLists) X(ListBase) X(PushAttrib) X(PopAttrib)          \
    X(Enable) X(Disable) X(Lightfv) X(ShadeModel) X(GenTextures) X(BindTexture) X(TexImage2D)      \
    X(TexParameteri) X(PixelStorei) X(BlendFunc) X(DepthFunc) X(Clear) X(ClearColor)               \
    X(ClearDepth) X(Hint)
#define GLU_CALLS(X)                                                                               \
    X(Perspective) X(Build2DMipmaps) X(NewQuadric) X(QuadricNormals) X(QuadricTexture) X(Sphere)   \
    X(DeleteQuadric)

struct Calls {
#define GL_MEMBER(name) decltype(&Gl11##name) name;
#define GLU_MEMBER(name) decltype(&Glu##name) name;
    GL_CALLS(GL_MEMBER) GLU_CALLS(GLU_MEMBER)
};

// The system's quadric is GLU's own type.
GLUquadric* Glu(Gl11Quadric* quadric)
{
    return reinterpret_cast<GLUquadric*>(quadric);
}
#define GL_SYSTEM(name) gl##name,
#define GL_LAYER(name) Gl11##name,
#define GLU_LAYER(name) Glu##name,
const Calls kSystem = {
    GL_CALLS(GL_SYSTEM) gluPerspective, gluBuild2DMipmaps,
    [] { return reinterpret_cast<Gl11Quadric*>(gluNewQuadric()); },
    [](Gl11Quadric* q, unsigned normals) { gluQuadricNormals(Glu(q), normals); },
    [](Gl11Quadric* q, unsigned char on) { gluQuadricTexture(Glu(q), on); },
    [](Gl11Quadric* q, double radius, int slices, int stacks) { gluSphere(Glu(q), radius, slices, stacks); },
    [](Gl11Quadric* q) { gluDeleteQuadric(Glu(q)); },
};
const Calls kLayer = {GL_CALLS(GL_LAYER) GLU_CALLS(GLU_LAYER)};

const int kSize = 128;

// The game's frame: its projection and depth test, cleared to black.
void StartFrame(const Calls& gl)
{
    gl.Viewport(0, 0, kSize, kSize);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Perspective(45.0, 1.0, (double)0.1f, 150.0);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.ShadeModel(GL_SMOOTH);
    gl.Hint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gl.ClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    gl.ClearDepth(1.0);
    gl.Enable(GL_DEPTH_TEST);
    gl.DepthFunc(GL_LEQUAL);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A picture whose every level tells where it is: red grows to the right, green upwards, and
// blue checks in 4x4 squares, which the smaller levels average away; their sums are odd often
// enough to show how each halving rounds. It is longer than high, as
// the game's flames and lightning are, so its last levels are halved along one side only.
const int kTextureWidth = 64, kTextureHeight = 16;
std::vector<unsigned char> TexturePixels()
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < kTextureHeight; ++y)
        for (int x = 0; x < kTextureWidth; ++x)
            pixels.insert(pixels.end(), {(unsigned char)(x * 3 + y * 4), (unsigned char)((y * 15 + x * x) % 256),
                                         (unsigned char)(((x / 4 + y / 4) % 2) * 255)});
    return pixels;
}

// Loaded as the game loads its textures.
void LoadTexture(const Calls& gl)
{
    static const std::vector<unsigned char> pixels = TexturePixels();
    unsigned name = 0;
    gl.GenTextures(1, &name);
    gl.BindTexture(GL_TEXTURE_2D, name);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.TexImage2D(GL_TEXTURE_2D, 0, 4, kTextureWidth, kTextureHeight, 0, GL_RGB, GL_UNSIGNED_BYTE,
                  pixels.data());
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    gl.Build2DMipmaps(GL_TEXTURE_2D, 4, kTextureWidth, kTextureHeight, GL_RGB, GL_UNSIGNED_BYTE,
                      pixels.data());
    gl.Enable(GL_TEXTURE_2D);
}

// The game's lights, light 2 dimmed so that light 1's diffuse term shows. Light 1 stands up and
// to the right, placed by the model-view matrix of the moment.
void Lights(const Calls& gl, float ambient)
{
    const float light2Ambient[4] = {ambient, ambient, ambient, 1.0f};
    const float light1Diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float light1Position[4] = {3.0f, 2.0f, 4.0f, 1.0f};
    gl.Lightfv(GL_LIGHT2, GL_AMBIENT, light2Ambient);
    gl.Lightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
    gl.Lightfv(GL_LIGHT1, GL_POSITION, light1Position);
    gl.Enable(GL_LIGHT1);
    gl.Enable(GL_LIGHT2);
    gl.Enable(GL_LIGHTING);
    gl.Enable(GL_COLOR_MATERIAL);
}

// The enemy: a textured sphere turned about a slanted axis and stretched, so that its normals
// are scaled too; the light is placed in the turned frame.
void LitSphere(const Calls& gl)
{
    StartFrame(gl);
    LoadTexture(gl);
    gl.Color3f(1.0f, 0.8f, 0.6f);
    gl.Translatef(0.0f, 0.0f, -5.0f);
    gl.Rotatef(35.0f, 1.0f, 1.0f, 1.0f);
    Lights(gl, 0.1f);
    gl.Scalef(1.0f, 1.3f, 1.0f);
    gl.Rotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    Gl11Quadric* quadric = gl.NewQuadric();
    gl.QuadricNormals(quadric, GLU_SMOOTH);
    gl.QuadricTexture(quadric, GL_TRUE);
    gl.Sphere(quadric, 1.5, 32, 32);
    gl.DeleteQuadric(quadric);
}

// The arena's floor seen from the eye, its texture repeated ten times and minified down its
// levels into the distance, and the title panel's triangle over it.
void MipmappedFloor(const Calls& gl)
{
    StartFrame(gl);
    LoadTexture(gl);
    Lights(gl, 0.7f);
    gl.Disable(GL_LIGHT1);
    gl.Color3f(1.0f, 1.0f, 1.0f);
    gl.Rotatef(20.0f, 1.0f, 0.0f, 0.0f);
    gl.Translatef(0.0f, -1.5f, 0.0f);
    gl.Rotatef(90.0f, 1.0f, 0.0f, 0.0f);
    const float corners[4][4] = {{-20, -20, 0, 0}, {20, -20, 10, 0}, {20, 20, 10, 10}, {-20, 20, 0, 10}};
    gl.Begin(GL_QUADS);
    gl.Normal3f(0.0f, 1.0f, 0.0f);
    for (const auto& corner : corners) {
        gl.TexCoord2f(corner[2], corner[3]);
        gl.Vertex3f(corner[0], corner[1], 1.0f);
    }
    gl.End();
    gl.LoadIdentity();
    gl.Translatef(0.5f, 0.5f, -6.0f);
    gl.Begin(GL_TRIANGLES);
    gl.TexCoord2f(0.0f, 1.0f);
    gl.Vertex3f(-1.5f, 1.5f, 0.0f);
    gl.TexCoord2f(0.0f, 0.0f);
    gl.Vertex3f(-1.5f, -1.5f, 0.0f);
    gl.TexCoord2f(1.0f, 0.0f);
    gl.Vertex3f(1.5f, -1.5f, 0.0f);
    gl.End();
}

// Letters as the outline font makes them: each list a shape and a step to the right; a list
// that calls two others; the text called by byte from a list base, the base kept around it.
// Then the glow: additive blending, no depth test.
void ListsAndBlending(const Calls& gl)
{
    StartFrame(gl);
    LoadTexture(gl);
    Lights(gl, 0.5f);
    unsigned letters = gl.GenLists(3);
    unsigned decoys = gl.GenLists(2);
    const float triangle[3][3] = {{0, 0, 0}, {0.8f, 0, 0}, {0.4f, 1, 0}};
    gl.NewList(letters, GL_COMPILE);
    gl.Begin(GL_TRIANGLES);
    gl.Normal3f(0.0f, 0.0f, 1.0f);
    for (const auto& corner : triangle)
        gl.Vertex3fv(corner);
    gl.End();
    gl.Translatef(1.0f, 0.0f, 0.0f);
    gl.EndList();
    gl.NewList(letters + 1, GL_COMPILE);
    gl.Begin(GL_QUADS);
    gl.Normal3f(0.6f, 0.0f, 0.8f);
    gl.Vertex3f(0.0f, 0.0f, 0.0f);
    gl.Vertex3f(0.6f, 0.0f, -0.3f);
    gl.Vertex3f(0.6f, 1.0f, -0.3f);
    gl.Vertex3f(0.0f, 1.0f, 0.0f);
    gl.End();
    gl.Translatef(0.8f, 0.0f, 0.0f);
    gl.EndList();
    gl.NewList(letters + 2, GL_COMPILE);
    gl.CallList(letters + 1);
    gl.Rotatef(-30.0f, 0.0f, 0.0f, 1.0f);
    gl.CallList(letters);
    gl.EndList();
    for (unsigned decoy = decoys; decoy < decoys + 2; ++decoy) {
        gl.NewList(decoy, GL_COMPILE);
        gl.Translatef(0.0f, -0.4f, 0.0f);
        gl.EndList();
    }

    gl.TexCoord2f(0.3f, 0.6f);
    gl.Color3f(1.0f, 0.0f, 0.7f);
    gl.Translatef(-1.6f, 0.2f, -4.0f);
    gl.Scalef(0.6f, 0.6f, 0.4f);
    const unsigned char text[] = {0, 2, 1, 0};
    gl.ListBase(letters);
    gl.PushAttrib(GL_LIST_BIT);
    gl.ListBase(decoys);
    gl.CallLists(2, GL_UNSIGNED_BYTE, text);
    gl.PopAttrib();
    gl.CallLists(4, GL_UNSIGNED_BYTE, text);

    // Texture 0 has no picture, so it textures nothing: the glow is its colour alone.
    gl.LoadIdentity();
    gl.BindTexture(GL_TEXTURE_2D, 0);
    gl.Disable(GL_DEPTH_TEST);
    gl.Enable(GL_BLEND);
    gl.BlendFunc(GL_SRC_ALPHA, GL_ONE);
    gl.Color4f(0.2f, 0.5f, 1.0f, 0.5f);
    for (float x : {-1.0f, -0.4f}) {
        gl.Begin(GL_QUADS);
        gl.Normal3f(0.0f, 0.0f, 1.0f);
        gl.TexCoord2f(0.0f, 0.0f);
        gl.Vertex3f(x, -1.5f, -5.0f);
        gl.TexCoord2f(1.0f, 0.0f);
        gl.Vertex3f(x + 1.5f, -1.5f, -5.0f);
        gl.TexCoord2f(1.0f, 1.0f);
        gl.Vertex3f(x + 1.5f, -0.3f, -5.0f);
        gl.TexCoord2f(0.0f, 1.0f);
        gl.Vertex3f(x, -0.3f, -5.0f);
        gl.End();
    }
}

class WebGlLayer : public testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        layer = MakeOffscreenGl(false, kSize, kSize, why);
        if (!layer)
            GTEST_SKIP() << "no OpenGL ES 2.0 context for the layer: " << why;
        system = MakeOffscreenGl(true, kSize, kSize, why);
        ASSERT_TRUE(system) << why;
    }

    void TearDown() override
    {
        if (layer) {
            UseOffscreenGl(layer);
            Gl11Reset();
        }
        FreeOffscreenGl(layer);
        FreeOffscreenGl(system);
    }

    // The scene drawn through both, and the two pictures, written as webgl/NAME-{system,layer}.png.
    void Draw(void (*scene)(const Calls&), const char* name)
    {
        UseOffscreenGl(system);
        scene(kSystem);
        ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "the system refused a call of the scene";
        UseOffscreenGl(layer);
        scene(kLayer);
        ASSERT_EQ(Gl11GetError(), 0u) << "the layer refused a call the scene makes";
        reference = ReadOffscreenGl(system);
        drawn = ReadOffscreenGl(layer);
        Write(name, "system", reference);
        Write(name, "layer", drawn);
    }

    static void Write(const char* scene, const char* which, const std::vector<unsigned char>& rgba)
    {
        std::vector<unsigned char> rgb;
        for (int y = kSize - 1; y >= 0; --y)
            for (int x = 0; x < kSize; ++x)
                rgb.insert(rgb.end(), &rgba[(y * kSize + x) * 4], &rgba[(y * kSize + x) * 4 + 3]);
        std::string error;
        std::filesystem::create_directories("webgl");
        WritePng(std::string("webgl/") + scene + "-" + which + ".png", kSize, kSize, rgb, error);
    }

    // Both pictures are llvmpipe's, from the same vertices in the same order: only float
    // rounding differs (matrices summed in double here, in float in Mesa; the lighting's terms
    // in another order), which moves a colour by 1 of 255 where it shows at all, and could tip
    // a pixel on an edge. So no colour may differ by more than 2, except on 1 pixel in 200. A
    // light a little off, a turn half a degree off, or texture coordinates mirrored each differ by
    // more on thousands. And a scene must not be a blank that two blanks would agree on.
    void ExpectSamePictures()
    {
        const int kSlack = 2;
        int covered = 0, strays = 0;
        for (size_t i = 0; i < drawn.size(); i += 4) {
            covered += reference[i] + reference[i + 1] + reference[i + 2] > 0;
            for (int c = 0; c < 3; ++c)
                if (std::abs(drawn[i + c] - reference[i + c]) > kSlack) {
                    ++strays;
                    break;
                }
        }
        const int kPixels = kSize * kSize;
        EXPECT_GT(covered, kPixels / 10) << "the scene draws next to nothing";
        EXPECT_LE(strays, kPixels / 200) << strays << " pixels differ by more than " << kSlack;
    }

    OffscreenGl* layer = nullptr;
    OffscreenGl* system = nullptr;
    std::vector<unsigned char> reference, drawn;
};

TEST_F(WebGlLayer, LitSphere)
{
    Draw(LitSphere, "lit_sphere");
    ExpectSamePictures();
}

// The game draws the same things every frame, and the layer keeps what it sees twice: the
// frames drawn from kept buffers are the first one to the byte, and the lists' scene with them.
TEST_F(WebGlLayer, DrawsKeptFromFrameToFrameDrawTheSame)
{
    for (auto scene : {LitSphere, ListsAndBlending}) {
        UseOffscreenGl(layer);
        scene(kLayer);
        const std::vector<unsigned char> first = ReadOffscreenGl(layer);
        for (int again = 0; again < 2; ++again) {
            scene(kLayer);
            EXPECT_EQ(ReadOffscreenGl(layer), first) << "frame " << again + 2;
        }
    }
    // Kept at the second sighting, and never for other bytes that happen to come after.
    std::vector<Vertex> triangles(60);
    for (size_t i = 0; i < triangles.size(); ++i)
        triangles[i].position[0] = (float)i;
    EXPECT_EQ(CachedTriangles(triangles), nullptr);
    const CachedDraw* kept = CachedTriangles(triangles);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->indices, 60);
    EXPECT_EQ(CachedTriangles(triangles), kept);
    triangles[59].color[3] = 0.5f;
    EXPECT_EQ(CachedTriangles(triangles), nullptr);
    EXPECT_EQ(Gl11GetError(), 0u);
}

// The page leaves undrawn the frames the browser would not show: such a frame neither clears
// nor draws, yet what it sets (its lists, textures, matrices) holds for the next one drawn.
TEST_F(WebGlLayer, AFrameLeftUndrawnChangesNoPictureAndKeepsItsState)
{
    UseOffscreenGl(layer);
    auto frames = [&](bool drawSecond) {
        LitSphere(kLayer);
        const std::vector<unsigned char> first = ReadOffscreenGl(layer);
        Gl11SetDrawing(drawSecond);
        ListsAndBlending(kLayer);
        if (!drawSecond) {
            EXPECT_EQ(ReadOffscreenGl(layer), first) << "the undrawn frame changed the picture";
        }
        Gl11SetDrawing(true);
        LitSphere(kLayer);
        return ReadOffscreenGl(layer);
    };
    const std::vector<unsigned char> drawn = frames(true);
    EXPECT_EQ(frames(false), drawn) << "the frame after an undrawn one differs";
    EXPECT_EQ(Gl11GetError(), 0u);
}

TEST_F(WebGlLayer, MipmappedFloor)
{
    Draw(MipmappedFloor, "mipmapped_floor");
    ExpectSamePictures();
}

TEST_F(WebGlLayer, ListsAndBlending)
{
    Draw(ListsAndBlending, "lists_and_blending");
    ExpectSamePictures();
}

// Every level GLU builds, to the byte: a picture minified by a rasteriser hides small errors.
TEST_F(WebGlLayer, MipmapsAsGluBuildsThem)
{
    UseOffscreenGl(system);
    LoadTexture(kSystem);
    std::vector<unsigned char> level = TexturePixels();
    int width = kTextureWidth, height = kTextureHeight;
    for (int i = 1; width > 1 || height > 1; ++i) {
        level = HalvedImage(level, width, height, 3);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        std::vector<unsigned char> built(level.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, i, GL_RGB, GL_UNSIGNED_BYTE, built.data());
        EXPECT_EQ(level, built) << "level " << i << ", " << width << "x" << height;
    }
}

}  // namespace
