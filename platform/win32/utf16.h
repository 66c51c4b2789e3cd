// Windows only: text in a code page (the game's 1251, or CP_UTF8) as the UTF-16 of the wide
// calls, and UTF-16 back as UTF-8.
#pragma once

#include <windows.h>

#include <string>

std::wstring TrimvaldToUtf16(const char* text, UINT codePage);
std::string TrimvaldUtf16ToUtf8(const wchar_t* text);
