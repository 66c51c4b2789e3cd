// Fonts: CreateFontA finds the face through fontconfig, among the installed faces and those the
// game ships; the glyph outlines come from FreeType.
//
// The face asked for is used when it is installed and covers the character set. Otherwise the
// closest installed face stands in for it, as the Windows font mapper would pick one: same
// slant, the weight asked for, the width the missing face is known to have, and (for the
// Russian character set) Cyrillic glyphs. Fontconfig's own answer is no good for that: for an
// unknown family it returns the default sans-serif in its regular weight.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

#include "platform/layer/font_face.h"

namespace {

struct FontRecord {
    bool chosen = false;
    LayerFontChoice choice;
    bool loadTried = false;
    FT_Face face = nullptr;
};

// Every font made by CreateFontA, with what the layer found for it.
std::map<const LayerGdiObject*, FontRecord> fonts;

FT_Library freeType = nullptr;

// How some well-known faces that may be missing here look, by fontconfig's width scale (the
// rest are taken as normal width). Haettenschweiler is a very narrow display face.
struct KnownShape {
    const char* family;
    int width;
};
const KnownShape knownShapes[] = {
    {"Haettenschweiler", FC_WIDTH_EXTRACONDENSED},
    {"Impact", FC_WIDTH_SEMICONDENSED},
    {"Arial Narrow", FC_WIDTH_CONDENSED},
    // Installed faces that are narrow without saying so in their names.
    {"Yanone Kaffeesatz", FC_WIDTH_EXTRACONDENSED},
};

bool SameName(const char* a, const char* b)
{
    return FcStrCmpIgnoreCase((const FcChar8*)a, (const FcChar8*)b) == 0;
}

bool Contains(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
}

int IntegerOf(FcPattern* pattern, const char* object, int fallback)
{
    int value;
    if (FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch)
        return value;
    double real;
    if (FcPatternGetDouble(pattern, object, 0, &real) == FcResultMatch)
        return (int)real;
    return fallback;
}

std::string StringOf(FcPattern* pattern, const char* object, int n = 0)
{
    FcChar8* value;
    if (FcPatternGetString(pattern, object, n, &value) == FcResultMatch)
        return (const char*)value;
    return std::string();
}

bool HasFamily(FcPattern* pattern, const char* family)
{
    FcChar8* value;
    for (int n = 0; FcPatternGetString(pattern, FC_FAMILY, n, &value) == FcResultMatch; ++n)
        if (SameName((const char*)value, family))
            return true;
    return false;
}

bool CoversCyrillic(FcPattern* pattern)
{
    FcLangSet* languages;
    return FcPatternGetLangSet(pattern, FC_LANG, 0, &languages) == FcResultMatch &&
           FcLangSetHasLang(languages, (const FcChar8*)"ru") == FcLangEqual;
}

// The face's width; some condensed families declare a normal width and say so only in
// their names.
int WidthOf(FcPattern* pattern)
{
    int width = IntegerOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    for (const KnownShape& shape : knownShapes)
        if (width == FC_WIDTH_NORMAL && HasFamily(pattern, shape.family))
            width = shape.width;
    if (width == FC_WIDTH_NORMAL) {
        std::string names = StringOf(pattern, FC_STYLE);
        FcChar8* family;
        for (int n = 0; FcPatternGetString(pattern, FC_FAMILY, n, &family) == FcResultMatch; ++n)
            names += std::string(" ") + (const char*)family;
        if (Contains(names, "Condensed") || Contains(names, "Narrow") || Contains(names, "Compressed"))
            width = FC_WIDTH_CONDENSED;
    }
    return width;
}

struct Request {
    std::string face;
    int weight;      // fontconfig scale
    bool italic;
    bool cyrillic;   // the Russian character set needs Cyrillic glyphs
    int width;       // fontconfig scale

    bool operator<(const Request& other) const
    {
        return std::tie(face, weight, italic, cyrillic, width) <
               std::tie(other.face, other.weight, other.italic, other.cyrillic, other.width);
    }
};

// How far a face is from what was asked for; lower is closer.
int Distance(FcPattern* pattern, const Request& request)
{
    int slant = IntegerOf(pattern, FC_SLANT, FC_SLANT_ROMAN);
    int distance = std::abs(IntegerOf(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR) - request.weight) +
                   std::abs(WidthOf(pattern) - request.width);
    if ((slant != FC_SLANT_ROMAN) != request.italic)
        distance += 1000;
    if (IntegerOf(pattern, FC_SPACING, FC_PROPORTIONAL) >= FC_MONO)
        distance += 500;
    return distance;
}

bool Usable(FcPattern* pattern)
{
    FcBool outline;
    return FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline) == FcResultMatch && outline &&
           !StringOf(pattern, FC_FILE).empty();
}

// Fontconfig's ranking of every face for the request (which brings in its sans-serif
// defaults), then the closest by our measure: first among the faces of the family asked for,
// else among all. Ties keep fontconfig's order.
bool Resolve(const Request& request, LayerFontChoice& choice)
{
    if (!FcInit())
        return false;
    // The faces the game ships in Data/Fonts/ (the archive's and the zip's narrow HUD face)
    // stand beside the installed ones, for the folder the game runs in.
    static bool shippedAdded = false;
    if (!shippedAdded) {
        shippedAdded = true;
        FcConfigAppFontAddDir(nullptr, (const FcChar8*)"Data/Fonts");
    }
    FcPattern* pattern = FcPatternCreate();
    if (!request.face.empty())
        FcPatternAddString(pattern, FC_FAMILY, (const FcChar8*)request.face.c_str());
    FcPatternAddInteger(pattern, FC_WEIGHT, request.weight);
    FcPatternAddInteger(pattern, FC_WIDTH, request.width);
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    if (request.cyrillic)
        FcPatternAddString(pattern, FC_LANG, (const FcChar8*)"ru");
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcFontSet* ranked = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (!ranked)
        return false;

    FcPattern* best = nullptr;
    int bestDistance = 0;
    // Passes: the family asked for with the glyphs needed; any face with the glyphs needed;
    // any face at all.
    for (int pass = 0; pass < 3 && !best; ++pass) {
        if (pass == 0 && request.face.empty())
            continue;
        for (int i = 0; i < ranked->nfont; ++i) {
            FcPattern* face = ranked->fonts[i];
            if (!Usable(face) || (pass == 0 && !HasFamily(face, request.face.c_str())) ||
                (pass < 2 && request.cyrillic && !CoversCyrillic(face)))
                continue;
            int distance = Distance(face, request);
            if (!best || distance < bestDistance) {
                best = face;
                bestDistance = distance;
            }
        }
    }
    if (best) {
        choice.file = StringOf(best, FC_FILE);
        choice.index = IntegerOf(best, FC_INDEX, 0);
        choice.family = StringOf(best, FC_FAMILY);
        choice.style = StringOf(best, FC_STYLE);
        choice.weight = IntegerOf(best, FC_WEIGHT, FC_WEIGHT_REGULAR);
        choice.coversCyrillic = CoversCyrillic(best);
        choice.widerThanAsked = WidthOf(best) > request.width;
    }
    FcFontSetDestroy(ranked);
    return best != nullptr;
}

// Each distinct request is looked up once per process.
bool Choose(const Request& request, LayerFontChoice& choice)
{
    static std::map<Request, std::pair<bool, LayerFontChoice>> answers;
    auto known = answers.find(request);
    if (known == answers.end()) {
        std::pair<bool, LayerFontChoice> answer;
        answer.first = Resolve(request, answer.second);
        known = answers.emplace(request, answer).first;
    }
    choice = known->second.second;
    return known->second.first;
}

}  // namespace

HFONT WINAPI CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD, DWORD,
                         DWORD charSet, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName)
{
    LayerGdiObject* font = LayerNewFont(height, weight, italic != 0, charSet, faceName);

    Request request;
    request.face = font->faceName;
    // A weight of 0 is "don't care", which Windows takes as normal.
    request.weight = FcWeightFromOpenType(weight > 0 ? (weight < 1000 ? weight : 1000) : 400);
    request.italic = font->italic;
    request.cyrillic = charSet == RUSSIAN_CHARSET;
    request.width = FC_WIDTH_NORMAL;
    for (const KnownShape& shape : knownShapes)
        if (SameName(shape.family, request.face.c_str()))
            request.width = shape.width;

    FontRecord& record = fonts[font];
    record.chosen = Choose(request, record.choice);
    return font;
}

void LayerFreeFont(LayerGdiObject* font)
{
    auto record = fonts.find(font);
    if (record == fonts.end())
        return;
    if (record->second.face)
        FT_Done_Face(record->second.face);
    fonts.erase(record);
}

bool LayerFontChoiceOf(const LayerGdiObject* font, LayerFontChoice& choice)
{
    auto record = fonts.find(font);
    if (record == fonts.end() || !record->second.chosen)
        return false;
    choice = record->second.choice;
    return true;
}

FT_Face LayerFontFace(const LayerGdiObject* font)
{
    auto found = fonts.find(font);
    if (found == fonts.end() || !found->second.chosen)
        return nullptr;
    FontRecord& record = found->second;
    if (!record.loadTried) {
        record.loadTried = true;
        if (!freeType && FT_Init_FreeType(&freeType) != 0) {
            freeType = nullptr;
            return nullptr;
        }
        FT_Face face;
        if (FT_New_Face(freeType, record.choice.file.c_str(), record.choice.index, &face) != 0)
            return nullptr;
        if (!FT_IS_SCALABLE(face) || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 ||
            face->units_per_EM == 0) {
            FT_Done_Face(face);
            return nullptr;
        }
        record.face = face;
    }
    return record.face;
}
