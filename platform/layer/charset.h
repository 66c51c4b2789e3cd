// The game's texts are Windows-1251 bytes; the hosts, FreeType and fontconfig speak UTF-8.
#pragma once

#include <string>

// Converts Windows-1251 bytes to UTF-8 and back (characters cp1251 lacks become '?').
std::string Cp1251ToUtf8(const char* text);
std::string Utf8ToCp1251(const std::string& text);
