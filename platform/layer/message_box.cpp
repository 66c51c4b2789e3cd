// MessageBoxA: the texts turned into UTF-8 and shown by the host.
#include "platform/layer/charset.h"
#include "platform/layer/layer.h"

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    // While the player reads the box, the video subsystem and the OpenGL driver get ready, so
    // that the window opens quickly after the answer.
    LayerInitVideo();
    return layerHost.messageBox(Cp1251ToUtf8(text), Cp1251ToUtf8(caption ? caption : "Error"), type);
}
