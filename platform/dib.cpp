// DIB sections and the conversion of device-independent bitmaps into them.
#include "platform/layer.h"

void LayerFreeBitmap(LayerGdiObject* bitmap)
{
    delete[] bitmap->bits;
    bitmap->bits = nullptr;
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD)
{
    return nullptr;  // TODO(bitmaps): filled in with the loader work
}

int WINAPI SetDIBits(HDC, HBITMAP, UINT, UINT, const void*, const BITMAPINFO*, UINT)
{
    return 0;
}
