#include "tools/assetgen/runes.h"

#include "tools/assetgen/random.h"

namespace {

struct GridPoint {
    int column;  // 0..2
    int row;     // 0..3, top to bottom
};

}  // namespace

void DrawRune(Layer& layer, double centreX, double centreY, double height, double strokeWidth,
              uint32_t seed)
{
    Random random(0x52554E45ull ^ (static_cast<uint64_t>(seed) << 20));
    const double columnStep = height * 0.27;
    const double rowStep = height / 3.0;
    auto px = [&](GridPoint p) { return centreX + (p.column - 1) * columnStep; };
    auto py = [&](GridPoint p) { return centreY + (p.row - 1.5) * rowStep; };
    auto stroke = [&](GridPoint a, GridPoint b) {
        layer.Line(px(a), py(a), px(b), py(b), strokeWidth);
    };

    // Stems: one in the middle, one on the left, or a pair.
    const int stemKind = random.Below(3);
    bool stem[3] = {false, false, false};
    if (stemKind == 0)
        stem[1] = true;
    else if (stemKind == 1)
        stem[0] = true;
    else
        stem[0] = stem[2] = true;
    for (int c = 0; c < 3; ++c)
        if (stem[c])
            stroke({c, 0}, {c, 3});

    // Branches: diagonals and short bars that start on a stem.
    const int branches = 1 + random.Below(3);
    int drawn = 0;
    for (int attempt = 0; attempt < 40 && drawn < branches; ++attempt) {
        GridPoint a{random.Below(3), random.Below(4)};
        if (!stem[a.column])
            continue;
        const int kind = random.Below(5);
        GridPoint b = a;
        const int side = (a.column == 0) ? 1 : (a.column == 2 ? -1 : (random.Below(2) ? 1 : -1));
        b.column = a.column + side;
        if (kind == 0)
            b.row = a.row;  // a bar
        else if (kind <= 2)
            b.row = a.row + 1;
        else
            b.row = a.row - 1;
        if (b.row < 0 || b.row > 3 || b.column < 0 || b.column > 2)
            continue;
        stroke(a, b);
        // Sometimes the branch turns back into a chevron.
        if (random.Below(3) == 0) {
            GridPoint c{b.column, b.row + (b.row > a.row ? 1 : -1)};
            if (c.row >= 0 && c.row <= 3 && b.row != a.row)
                stroke(b, {a.column, c.row});
        }
        ++drawn;
    }
}
