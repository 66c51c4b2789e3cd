// Windows only: the player's settings file, %APPDATA%\Trimvald\settings.ini. The game reads it
// once at start and never writes it; only `trimvald --settings` writes the commented defaults,
// and only where there is no file. Paths and texts in UTF-8.
#pragma once

#include <string>
#include <vector>

// The file's path (empty where %APPDATA% is not set).
std::string TrimvaldSettingsPath();
// Reads the file and puts its settings in force (the defaults where there is none); its
// problems, one line each ("FILE:LINE: what is wrong").
std::vector<std::string> TrimvaldLoadSettings();
// The settings in force, as a file's lines.
std::string TrimvaldSettingsInForce();
// Writes the commented defaults where there is no file (`written` says whether it did); false,
// with the reason, when it cannot.
bool TrimvaldWriteDefaultSettings(bool& written, std::string& error);
