// Device contexts in memory, and selecting and deleting GDI objects (DIB sections, fonts).
#include "platform/layer/layer.h"

void LayerDeleteDC(LayerDC* dc)
{
    // Objects selected into the context outlive it: they forget it.
    if (dc->bitmap)
        dc->bitmap->selectedInto = nullptr;
    if (dc->font)
        dc->font->selectedInto = nullptr;
    delete dc;
}

HDC WINAPI CreateCompatibleDC(HDC)
{
    return new LayerDC;
}

BOOL WINAPI DeleteDC(HDC dc)
{
    // Only memory contexts are deleted; a window's own context goes with the window.
    if (!dc || dc->window)
        return FALSE;
    LayerDeleteDC(dc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object)
{
    if (!dc || !object)
        return nullptr;
    LayerGdiObject** slot = object->kind == LayerGdiObject::Kind::Bitmap ? &dc->bitmap : &dc->font;
    // A bitmap can be selected into one memory context at a time, and never into a window's.
    if (object->kind == LayerGdiObject::Kind::Bitmap &&
        (dc->window || (object->selectedInto && object->selectedInto != dc)))
        return nullptr;
    LayerGdiObject* previous = *slot;
    if (previous)
        previous->selectedInto = nullptr;
    *slot = object;
    object->selectedInto = dc;
    // Windows returns the context's stock object when none was selected before; a non-null
    // token stands for it here.
    static LayerGdiObject stockObject;
    return previous ? previous : &stockObject;
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    if (object->selectedInto) {
        LayerDC* dc = object->selectedInto;
        if (dc->bitmap == object)
            dc->bitmap = nullptr;
        if (dc->font == object)
            dc->font = nullptr;
    }
    if (object->kind == LayerGdiObject::Kind::Bitmap)
        LayerFreeBitmap(object);
    else
        LayerFreeFont(object);
    delete object;
    return TRUE;
}

BOOL WINAPI GdiFlush(void)
{
    // Drawing into DIB sections happens at once here: nothing is ever pending.
    return TRUE;
}

LayerGdiObject* LayerNewFont(int height, int weight, bool italic, DWORD charSet, const char* faceName)
{
    LayerGdiObject* font = new LayerGdiObject;
    font->kind = LayerGdiObject::Kind::Font;
    font->height = height;
    font->weight = weight;
    font->italic = italic;
    font->charSet = charSet;
    font->faceName = faceName ? faceName : "";
    return font;
}
