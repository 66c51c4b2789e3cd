// Where the parts of a bitmap file lie, checked against the file's size before any of them is
// read: the DIB header, the colour table and the pixel data.
#pragma once

#include "platform/platform.h"

// The loader's messages for files it cannot take.
extern const char* const unknownDibFormat;    // neither a core nor an info header
extern const char* const dibConversionError;  // anything else the conversion cannot take

struct DibLayout {
    const BYTE* header;      // the core or info header, in the file
    bool coreHeader;         // 12-byte core header (else the 40-byte info header)
    LONG width;              // 1 to maxDibSide
    LONG height;             // 1 to maxDibSide: top-down files give their height as positive
    bool topDown;            // rows stored top row first
    WORD planes;
    WORD bitCount;
    DWORD compression;       // BI_RGB, or BI_RLE8 / BI_RLE4 with 8 / 4 bits per pixel
    DWORD imageSize;         // the header's image size, or what it stands for when 0
    WORD colorCount;         // entries in the colour table
    const BYTE* colorTable;  // colorCount entries of 3 (core) or 4 (info) bytes, in the file
    const BYTE* pixelData;   // in the file, with room for every row (or imageSize RLE bytes)
};

// The largest width and height taken: no texture of the game can be larger.
const LONG maxDibSide = 8192;

// Checks a bitmap file of fileSize bytes, mapped at file, and fills in its layout. Returns
// nullptr when the file can be converted, else the message that refuses it.
const char* CheckDibLayout(const BYTE* file, DWORD fileSize, DibLayout* layout);
