// Only the real API here, not the platform header's name for CreateFontA.
#include "platform/win32/shipped_face.h"

static const char shippedFile[] = "Data\\Fonts\\YanoneKaffeesatz-Bold.otf";
static const char shippedFace[] = "Yanone Kaffeesatz";

static int CALLBACK FaceSeen(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM seen)
{
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

// Whether a face of that name, with glyphs of that character set, is there for this process.
static bool FaceThere(const char* face, DWORD charSet)
{
    HDC screen = GetDC(NULL);
    if (!screen)
        return false;
    LOGFONTA wanted = {};
    wanted.lfCharSet = (BYTE)charSet;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool seen = false;
    EnumFontFamiliesExA(screen, &wanted, FaceSeen, reinterpret_cast<LPARAM>(&seen), 0);
    ReleaseDC(NULL, screen);
    return seen;
}

HFONT WINAPI TrimvaldCreateFont(int height, int width, int escapement, int orientation, int weight,
                                DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                                DWORD pitchAndFamily, LPCSTR faceName)
{
    // The game runs in the folder that holds Data\, as it loads its textures from there.
    static const bool shipped = AddFontResourceExA(shippedFile, FR_PRIVATE, 0) > 0;
    if (shipped && faceName && *faceName && !FaceThere(faceName, charSet) &&
        FaceThere(shippedFace, charSet))
        faceName = shippedFace;
    return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                       charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
}
