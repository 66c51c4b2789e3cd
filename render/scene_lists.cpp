#include "render/scene_lists.h"

uint32_t listBase;
uint32_t arenaList;
uint32_t projectileList;
uint32_t enemyList;
uint32_t pickupList;
GLUquadric* skyQuadric;
GLUquadric* projectileQuadric;
GLUquadric* enemyQuadric;
GLUquadric* pickupQuadric;

void BuildDisplayLists()
{
}
