// The random sequence, the flash of light 1, and the render state and scenery set up at start.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "game/flash.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "platform/scripted/scripted_host.h"
#include "render/render_state.h"
#include "render/scene_lists.h"
#include "render/textures.h"
#include "tests/bitmap_files.h"
#include "tests/scenario.h"

namespace {

TEST(GameRandom, FollowsTheClassicSequenceFromStateOne)
{
    // The sequence every Windows C runtime gives an unseeded rand().
    randomState = 1;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(GameRand(), value);
    randomState = 0xFFFFFFFFu;  // the state wraps modulo 2^32
    EXPECT_EQ(GameRand(), 35);
    randomState = 1;
}

// A generator state whose next roll modulo 140 is (or, with `fifty` false, is not) 50.
uint32_t StateRolling(bool fifty)
{
    for (uint32_t state = 0;; ++state) {
        randomState = state;
        if ((GameRand() % 140 == 50) == fifty)
            return state;
    }
}

struct FlashRun {
    int litFrames = 0;
    std::vector<bool> lit;
};

// Runs the flash step for `frames` frames, forcing a roll of 50 in the frames listed.
FlashRun RunFlash(int frames, std::vector<int> fiftyAt)
{
    FlashRun run;
    for (int frame = 0; frame < frames; ++frame) {
        bool fifty = std::find(fiftyAt.begin(), fiftyAt.end(), frame) != fiftyAt.end();
        randomState = StateRolling(fifty);
        FlashStep();
        run.lit.push_back(game.flashOn != 0);
        run.litFrames += game.flashOn ? 1 : 0;
    }
    return run;
}

TEST(Flash, LightsForNineteenDrawnFramesFromTheRollOfFifty)
{
    game = GameState();
    FlashRun run = RunFlash(40, {5});
    EXPECT_EQ(run.litFrames, 19);
    for (int frame = 0; frame < 40; ++frame)
        EXPECT_EQ(run.lit[frame], frame >= 5 && frame < 24) << frame;
    EXPECT_EQ(game.flashTimer, 0.0f);
}

TEST(Flash, ARollOfFiftyWhileLitNeitherRestartsNorExtends)
{
    game = GameState();
    FlashRun during = RunFlash(40, {5, 12});
    EXPECT_EQ(during.litFrames, 19);
    // In the very frame the count reaches 20 the roll is swallowed: the light goes off.
    game = GameState();
    FlashRun atTheEnd = RunFlash(60, {5, 24});
    EXPECT_EQ(atTheEnd.litFrames, 19);
    EXPECT_FALSE(atTheEnd.lit[24]);
    EXPECT_FALSE(atTheEnd.lit[25]);
}

}  // namespace

namespace {

class StartedRenderState : public OpenGameWindowTest {
protected:
    static GLint Integer(GLenum name)
    {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }
    static std::vector<GLfloat> Matrix()
    {
        std::vector<GLfloat> m(16);
        glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }
};

TEST_F(StartedRenderState, LightsBlendingDepthAndTexturesAreSetOnce)
{
    for (GLuint name : textures)
        EXPECT_TRUE(glIsTexture(name));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1)) << "only the flash lights it";
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE);
    GLfloat ambient[4], diffuse[4], clear[4], colour[4], position[4];
    glGetLightfv(GL_LIGHT2, GL_AMBIENT, ambient);
    EXPECT_EQ(std::vector<GLfloat>(ambient, ambient + 4), std::vector<GLfloat>(light2Ambient, light2Ambient + 4));
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    EXPECT_EQ(std::vector<GLfloat>(diffuse, diffuse + 4), std::vector<GLfloat>(light1Diffuse, light1Diffuse + 4));
    // Light 1 was placed with the identity: its position is the same in eye coordinates.
    glGetLightfv(GL_LIGHT1, GL_POSITION, position);
    EXPECT_EQ(std::vector<GLfloat>(position, position + 4), std::vector<GLfloat>(light1Position, light1Position + 4));
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[3], 0.5f);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::vector<GLfloat>(colour, colour + 4), (std::vector<GLfloat>{1, 1, 1, 0.5f}));
    // The texture rows are the bitmap's: a 256 x 256 floor.
    glBindTexture(GL_TEXTURE_2D, textures[floorTexture]);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(Integer(GL_TEXTURE_2D_BINDING_EXT), (GLint)textures[floorTexture]);
}

TEST_F(StartedRenderState, SceneryListsLeaveTheStateTheGameExpects)
{
    EXPECT_EQ(arenaList, listBase + 1);
    EXPECT_EQ(pickupList, listBase + 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::vector<GLfloat> identity = Matrix();

    // The sky leaves the matrix turned 90 degrees about x and the sky texture bound.
    glCallList(listBase);
    std::vector<GLfloat> sky = Matrix();
    EXPECT_NEAR(sky[5], 0.0f, 1e-6f);
    EXPECT_NEAR(sky[6], 1.0f, 1e-6f);
    EXPECT_NEAR(sky[9], -1.0f, 1e-6f);
    EXPECT_EQ(Integer(GL_TEXTURE_2D_BINDING_EXT), (GLint)textures[skyTexture]);

    // The arena turns back what it turns, and ends with the walls' texture, blending off and
    // the depth test on.
    glLoadIdentity();
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glCallList(arenaList);
    std::vector<GLfloat> arena = Matrix();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(arena[i], identity[i], 1e-6f);
    EXPECT_EQ(Integer(GL_TEXTURE_2D_BINDING_EXT), (GLint)textures[wallTexture]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    // The projectile's and the enemy's lists are empty: nothing drawn, nothing changed.
    ASSERT_TRUE(RequireDrawing()) << "an empty feedback would prove nothing";
    static GLfloat feedback[64];
    glFeedbackBuffer(64, GL_3D, feedback);
    glRenderMode(GL_FEEDBACK);
    glCallList(projectileList);
    glCallList(enemyList);
    EXPECT_EQ(glRenderMode(GL_RENDER), 0);
    EXPECT_EQ(Integer(GL_TEXTURE_2D_BINDING_EXT), (GLint)textures[wallTexture]);
    EXPECT_TRUE(projectileQuadric && enemyQuadric && skyQuadric && pickupQuadric);
}

TEST_F(StartedRenderState, TheFlashLightsLightOneForNineteenFrames)
{
    game = GameState();
    int lit = 0;
    for (int frame = 0; frame < 30; ++frame) {
        randomState = StateRolling(frame == 3);
        FlashStep();
        lit += glIsEnabled(GL_LIGHT1) ? 1 : 0;
        EXPECT_EQ(glIsEnabled(GL_LIGHT1) == GL_TRUE, game.flashOn == 1) << frame;
    }
    EXPECT_EQ(lit, 19);
}

}  // namespace

namespace {

// Loads the textures from a copy of Data/ whose first texture is a picture of the given size,
// each row a colour of its own, and reads that texture back as it was uploaded (GLU scales a
// side that is not a power of two first; rows of one colour stay rows of one colour).
struct Upload {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::vector<unsigned char> Pixel(int x, int y) const
    {
        auto at = rgb.begin() + 3 * ((size_t)y * width + x);
        return {at, at + 3};
    }
};

std::vector<unsigned char> RowColour(int y)
{
    return {(unsigned char)(10 + 3 * y), (unsigned char)(200 - 2 * y), (unsigned char)(5 + 7 * y)};
}

Upload UploadReplacement(int width, int height)
{
    std::vector<Bytes> rows;
    for (int y = 0; y < height; ++y) {
        std::vector<unsigned char> c = RowColour(y);
        Bytes row;
        for (int x = 0; x < width; ++x)
            row.insert(row.end(), {c[2], c[1], c[0]});
        rows.push_back(row);
    }
    BitmapFile file;
    file.width = width;
    file.height = height;
    file.pixels = PaddedRows(rows);
    TempFile picture("replacement-1B.bmp", BuildBitmap(file));

    Upload upload;
    char folder[] = "/tmp/trimvald-textures-XXXXXX";
    char previous[4096];
    if (!mkdtemp(folder) || !getcwd(previous, sizeof previous))
        return upload;
    std::string root = folder;
    std::string prepare = "mkdir -p '" + root + "/Data/Textures' && ln -s '" + previous +
                          "'/Data/Textures/*.bmp '" + root + "/Data/Textures/' && ln -sf '" +
                          picture.path() + "' '" + root + "/Data/Textures/1B.bmp'";
    if (std::system(prepare.c_str()) == 0 && chdir(folder) == 0) {
        EXPECT_EQ(LoadTextures(), 1);
        EXPECT_EQ(chdir(previous), 0);
        glBindTexture(GL_TEXTURE_2D, textures[pyramidTexture]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &upload.width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &upload.height);
        upload.rgb.resize((size_t)upload.width * upload.height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, upload.rgb.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
    } else {
        ADD_FAILURE() << "cannot prepare " << root;
    }
    EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
    return upload;
}

// A player's replacement texture of any width comes out unsheared: every row one colour, the
// picture's own where GLU did not scale it; and what is unpacked after the
// textures follows OpenGL's usual 4-byte rows again.
TEST_F(StartedRenderState, TexturesOfAnyWidthAreUploadedUnsheared)
{
    for (auto size : {std::pair<int, int>{3, 3}, {5, 16}, {1, 64}}) {
        Upload upload = UploadReplacement(size.first, size.second);
        ASSERT_GT(upload.width * upload.height, 0);
        // GLU's scaling blends rows (and loses the last one of a 5x16 picture): only the first
        // row is then the picture's own.
        bool scaled = upload.width != size.first || upload.height != size.second;
        for (int y = 0; y < upload.height; ++y) {
            for (int x = 0; x < upload.width; ++x) {
                if (!scaled || y == 0) {
                    ASSERT_EQ(upload.Pixel(x, y), RowColour(y))
                        << size.first << "x" << size.second << " at " << x << "," << y;
                }
                ASSERT_EQ(upload.Pixel(x, y), upload.Pixel(0, y))
                    << size.first << "x" << size.second << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 4);
    }
}

}  // namespace
