// (filled in with the projectile work)
