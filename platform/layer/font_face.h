// What the outline builder needs of a font made by CreateFontA: the installed face chosen for it
// and that face loaded by FreeType.
#pragma once

#include <string>

#include "platform/layer/layer.h"

// The installed face that stands for a font.
struct LayerFontChoice {
    std::string file;
    int index = 0;           // face index within the file
    std::string family;      // first family name fontconfig reports
    std::string style;
    int weight = 0;          // fontconfig's weight scale (80 regular, 200 bold, 210 black)
    bool coversCyrillic = false;
    // Wider than the face asked for: a narrow face was asked for, and none is there to stand in
    // for it. Its glyphs are then condensed to the narrow face's widths.
    bool widerThanAsked = false;
};

// The face chosen for the font; false when there is none (no usable face is installed).
bool LayerFontChoiceOf(const LayerGdiObject* font, LayerFontChoice& choice);

struct FT_FaceRec_;  // FreeType's face record (an FT_Face points to one)

// The font's face loaded by FreeType with its Unicode character map selected, opened at the
// first call and kept until the font is deleted; nullptr when it cannot be loaded.
FT_FaceRec_* LayerFontFace(const LayerGdiObject* font);
