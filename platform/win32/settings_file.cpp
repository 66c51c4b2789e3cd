#include "platform/win32/settings_file.h"

#include <windows.h>

#include "platform/controls/controls.h"
#include "platform/win32/utf16.h"

static std::wstring Folder()
{
    wchar_t appData[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    return std::wstring(appData) + L"\\Trimvald";
}

static std::wstring WidePath()
{
    std::wstring folder = Folder();
    return folder.empty() ? folder : folder + L"\\settings.ini";
}

std::string TrimvaldSettingsPath()
{
    return TrimvaldUtf16ToUtf8(WidePath().c_str());
}

// The system's words for the last error.
static std::string LastError()
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, (LPWSTR)&text, 0, nullptr);
    std::string said = text ? TrimvaldUtf16ToUtf8(text) : "error " + std::to_string(GetLastError());
    if (text)
        LocalFree(text);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == '.'))
        said.pop_back();
    return said;
}

std::vector<std::string> TrimvaldLoadSettings()
{
    ControlsInstall(ControlsDefaults());
    std::wstring path = WidePath();
    if (path.empty())
        return {};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};
        return {TrimvaldSettingsPath() + ": " + LastError() + "; the defaults are played"};
    }
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    BOOL ok;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0)
        text.append(buffer, read);
    std::string error = ok ? "" : LastError();
    CloseHandle(file);
    if (!error.empty())
        return {TrimvaldSettingsPath() + ": " + error + "; the defaults are played"};
    ControlsFileRead settings = ControlsReadText(text, TrimvaldSettingsPath());
    ControlsInstall(settings.settings);
    return settings.problems;
}

std::string TrimvaldSettingsInForce()
{
    return ControlsSettingsText(ControlsInstalled());
}

bool TrimvaldWriteDefaultSettings(bool& written, std::string& error)
{
    written = false;
    std::wstring path = WidePath();
    if (path.empty()) {
        error = "%APPDATA% is not set";
        return false;
    }
    CreateDirectoryW(Folder().c_str(), nullptr);
    // CREATE_NEW: a file there is never overwritten.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_EXISTS)
            return true;
        error = TrimvaldSettingsPath() + ": " + LastError();
        return false;
    }
    // Windows line ends, for Notepad.
    std::string text;
    for (char c : ControlsDefaultFileText())
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    DWORD wrote = 0;
    bool ok = WriteFile(file, text.data(), (DWORD)text.size(), &wrote, nullptr) &&
              wrote == text.size();
    if (!ok)
        error = TrimvaldSettingsPath() + ": " + LastError();
    CloseHandle(file);
    written = ok;
    return ok;
}
