#include "render/scene_lists.h"

#include "render/renderer_state.h"
#include "render/textures.h"

uint32_t& listBase = renderer.listBase;
uint32_t& arenaList = renderer.arenaList;
uint32_t& projectileList = renderer.projectileList;
uint32_t& enemyList = renderer.enemyList;
uint32_t& pickupList = renderer.pickupList;
GLUquadric*& skyQuadric = renderer.skyQuadric;
GLUquadric*& projectileQuadric = renderer.projectileQuadric;
GLUquadric*& enemyQuadric = renderer.enemyQuadric;
GLUquadric*& pickupQuadric = renderer.pickupQuadric;

// Quadric settings are not list commands: they take effect while the list is compiled.
static GLUquadric* NewSmoothTexturedQuadric()
{
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);
    return quadric;
}

static void CompileSky()
{
    glNewList(listBase, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, textures[skyTexture]);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    skyQuadric = NewSmoothTexturedQuadric();
    gluSphere(skyQuadric, 100.0, 32, 32);
    glEndList();
}

static void Floor()
{
    glBindTexture(GL_TEXTURE_2D, textures[floorTexture]);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-20.0f, -20.0f, 1.0f);
    glTexCoord2f(10.0f, 0.0f);
    glVertex3f(20.0f, -20.0f, 1.0f);
    glTexCoord2f(10.0f, 10.0f);
    glVertex3f(20.0f, 20.0f, 1.0f);
    glTexCoord2f(0.0f, 10.0f);
    glVertex3f(-20.0f, 20.0f, 1.0f);
    glEnd();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
}

// The four sides of the glowing pyramid in the middle; its base is not drawn.
static void Pyramid()
{
    static const float sides[4][3][3] = {
        // normal, first base corner, second base corner
        {{0, 0, 1}, {-1, -1, 1}, {1, -1, 1}},
        {{1, 0, 0}, {1, -1, 1}, {1, -1, -1}},
        {{0, 0, -1}, {1, -1, -1}, {-1, -1, -1}},
        {{-1, 0, 0}, {-1, -1, -1}, {-1, -1, 1}},
    };
    glBindTexture(GL_TEXTURE_2D, textures[pyramidTexture]);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_TRIANGLES);
    for (const auto& side : sides) {
        glNormal3fv(side[0]);
        glTexCoord2f(1.0f, 2.0f);
        glVertex3f(0.0f, 1.0f, 0.0f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3fv(side[1]);
        glTexCoord2f(2.0f, 0.0f);
        glVertex3fv(side[2]);
    }
    glEnd();
}

// The four walls facing inwards, glowing like the pyramid (blending on, depth test off).
static void Walls()
{
    static const float walls[4][5][3] = {
        // normal, then the four corners
        {{0, 0, -1}, {20, 2, 20}, {-20, 2, 20}, {-20, -1, 20}, {20, -1, 20}},
        {{0, 0, 1}, {20, -1, -20}, {-20, -1, -20}, {-20, 2, -20}, {20, 2, -20}},
        {{1, 0, 0}, {-20, 2, 20}, {-20, 2, -20}, {-20, -1, -20}, {-20, -1, 20}},
        {{-1, 0, 0}, {20, 2, -20}, {20, 2, 20}, {20, -1, 20}, {20, -1, -20}},
    };
    static const float texCoords[4][2] = {{0, 0}, {40, 0}, {40, 4}, {0, 4}};
    glBindTexture(GL_TEXTURE_2D, textures[wallTexture]);
    glBegin(GL_QUADS);
    for (const auto& wall : walls) {
        glNormal3fv(wall[0]);
        for (int corner = 0; corner < 4; ++corner) {
            glTexCoord2fv(texCoords[corner]);
            glVertex3fv(wall[corner + 1]);
        }
    }
    glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void BuildDisplayLists()
{
    listBase = glGenLists(5);
    arenaList = listBase + 1;
    projectileList = listBase + 2;
    enemyList = listBase + 3;
    pickupList = listBase + 4;

    CompileSky();

    glNewList(arenaList, GL_COMPILE);
    Floor();
    Pyramid();
    Walls();
    glEndList();

    glNewList(projectileList, GL_COMPILE);
    projectileQuadric = NewSmoothTexturedQuadric();
    glEndList();

    glNewList(enemyList, GL_COMPILE);
    enemyQuadric = NewSmoothTexturedQuadric();
    glEndList();

    glNewList(pickupList, GL_COMPILE);
    pickupQuadric = NewSmoothTexturedQuadric();
    gluSphere(pickupQuadric, 0.5, 32, 32);
    glEndList();
}
