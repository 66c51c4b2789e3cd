#include "game/enemy.h"

// The enemy's behaviour comes with the enemy.
void ContactDamage()
{
}

void EnemyEmergence()
{
}

void EnemyDeathStep()
{
}

void EnemyStep()
{
}

void LightningStep()
{
}

void BurningStep()
{
}
