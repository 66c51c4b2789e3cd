// The game's Windows-1251 texts shown as Unicode on any Windows, whatever its ANSI code page.
// Only <windows.h> here, not the platform header: these call the real ANSI and wide functions.
#include <windows.h>

#include <string>

#include "platform/win32/capture.h"
#include "platform/win32/utf16.h"

static const UINT gameCodePage = 1251;

std::wstring TrimvaldToUtf16(const char* text, UINT codePage)
{
    int length = MultiByteToWideChar(codePage, 0, text, -1, NULL, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide((size_t)length, L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
    wide.resize((size_t)length - 1);
    return wide;
}

std::string TrimvaldUtf16ToUtf8(const wchar_t* text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    if (length <= 0)
        return std::string();
    std::string narrow((size_t)length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], length, NULL, NULL);
    narrow.resize((size_t)length - 1);
    return narrow;
}

static std::wstring FromGameText(LPCSTR text)
{
    return TrimvaldToUtf16(text, gameCodePage);
}

int WINAPI TrimvaldMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::wstring wideText = FromGameText(text ? text : "");
    // No caption means "Error" to MessageBoxA, and so it does here.
    std::wstring wideCaption = FromGameText(caption ? caption : "Error");
    const TrimvaldCapture* capture = TrimvaldCurrentCapture();
    if (capture)
        capture->messageBoxOpens();
    int answer = MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), type);
    if (capture)
        capture->messageBoxAnswered(type, answer);
    return answer;
}

// The game registers its class with RegisterClassA and answers with DefWindowProcA: the window
// stays an ANSI one. Any text sent to it as a message (SetWindowTextW, or the title of
// CreateWindowExW in WM_NCCREATE) is turned into the ANSI code page on its way to the game's
// procedure and back, and loses every Cyrillic letter outside Russian Windows. So the window is
// created as the game asks, and then its caption is stored by the wide default procedure
// itself, called directly, past the game's procedure and any conversion.
HWND WINAPI TrimvaldCreateWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                                 int x, int y, int width, int height, HWND parent, HMENU menu,
                                 HINSTANCE instance, LPVOID param)
{
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                  menu, instance, param);
    if (window && title) {
        std::wstring caption = FromGameText(title);
        DefWindowProcW(window, WM_SETTEXT, 0, (LPARAM)caption.c_str());
    }
    return window;
}
