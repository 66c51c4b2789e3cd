// The Windows program's entry, where it is composed: the game's command line, the player's
// settings, the session record when asked for (through the capture the platform header gives
// the game's calls), then the game. What goes wrong is said in a message box, as a program without a console must.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "platform/platform.h"
#include "programs/game/command_line.h"
#include "tools/script/session_record.h"

static std::wstring Wide(const std::string& text)
{
    return TrimvaldToUtf16(text.c_str(), CP_UTF8);
}

static void Tell(const std::string& text, UINT icon)
{
    // The wide call: these texts are UTF-8, not the game's Windows-1251.
    MessageBoxW(nullptr, Wide(text).c_str(), L"Тримвальд", MB_OK | icon);
}

// The arguments as Windows splits the command line (quotes and all), the program's name left
// out, in UTF-8.
static std::vector<std::string> Arguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(TrimvaldUtf16ToUtf8(words[i]));
    if (words)
        LocalFree(words);
    return arguments;
}

static const TrimvaldCapture sessionCapture = {
    SessionBeforePeek,     SessionFrameStart,  SessionCursor,       SessionMessageBoxOpens,
    SessionMessageBoxAnswered, SessionDisplayMode, SessionSound, SessionWindowMessage,
};

static bool StartRecording(const std::string& path)
{
    errno = 0;
    FILE* file = _wfopen(Wide(path).c_str(), L"wb");
    std::string why;
    if (!file)
        why = std::strerror(errno ? errno : EIO);
    else if (!SessionRecordStart(file, why))
        file = nullptr;
    if (!file) {
        Tell("cannot record into " + path + ": " + why + "; the game is played without recording",
             MB_ICONWARNING);
        return false;
    }
    TrimvaldInstallCapture(&sessionCapture);
    return true;
}

// `trimvald --settings`: where the file is (written with the defaults where there was none),
// and the settings in force.
static int TellSettings()
{
    bool written = false;
    std::string error;
    if (!TrimvaldWriteDefaultSettings(written, error))
        Tell("cannot write the default settings: " + error, MB_ICONWARNING);
    Tell(TrimvaldSettingsPath() + (written ? " (written now, with the defaults)" : "") + "\n\n" +
             TrimvaldSettingsInForce(),
         MB_ICONINFORMATION);
    return error.empty() ? 0 : 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    std::string recordPath, why;
    GameRequest request;
    if (!ParseGameCommandLine(Arguments(), request, recordPath, why)) {
        Tell("trimvald: " + why + "\n" + gameUsageText, MB_ICONERROR);
        return 2;
    }
    if (request == GameRequest::Help || request == GameRequest::Version) {
        Tell(request == GameRequest::Help ? gameUsageText : gameVersionText, MB_ICONINFORMATION);
        return 0;
    }
    // The player's settings file, read once; what is wrong in it is said and the game starts.
    std::string problems;
    for (const std::string& problem : TrimvaldLoadSettings())
        problems += problem + "\n";
    if (!problems.empty())
        Tell(problems, MB_ICONWARNING);
    if (request == GameRequest::Settings)
        return TellSettings();
    bool recording = !recordPath.empty() && StartRecording(recordPath);
    int code = GameMain(instance, previous, commandLine, showCommand);
    if (recording) {
        TrimvaldInstallCapture(nullptr);
        std::string error;
        if (!SessionRecordFinish(error))
            Tell("the recording is not complete: " + error, MB_ICONWARNING);
    }
    return code;
}
