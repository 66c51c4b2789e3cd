#include <cmath>

#include "tools/assetgen/sphere.h"
#include "tools/assetgen/textures.h"

// Every text is tinted by one texel of this texture. The HUD reads it at s = 0 with t drifting
// slowly up from 0 and wrapping, the title texts at (1, 0). The bottom rows stay near white so
// the red and blue HUD colours come through; higher up the tint turns gold and comes back to
// white towards the top, so the wrap from t = 1 to t = 0 has no jump. Each row is one colour,
// so s does not matter.
Image MakeTextTint()
{
    const int size = 64;
    Image image(size, size);
    const Rgb white{1.0, 1.0, 1.0};
    const Rgb paleGold{1.0, 0.93, 0.68};
    const Rgb gold{1.0, 0.78, 0.30};
    const Rgb amber{0.98, 0.62, 0.16};
    const RampStop stops[] = {
        {0.0, white}, {0.3, paleGold}, {0.65, gold}, {1.0, amber}};
    for (int y = 0; y < size; ++y) {
        const double t = 1.0 - (y + 0.5) / size;
        // 0 at both ends, 1 in the middle, flat at the ends so the lowest rows stay white.
        const double s = std::sin(kPi * t);
        const double warmth = s * s * s;
        const Rgb colour = Ramp(stops, warmth);
        for (int x = 0; x < size; ++x)
            image.At(x, y) = colour;
    }
    return image;
}
