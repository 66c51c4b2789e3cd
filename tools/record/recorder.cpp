// The Linux game's capture for the session record: a host around the desktop host. Every entry
// it watches hands the call on unchanged and tells the record what the replay driver needs to
// make the same call come out the same way.
#include "platform/desktop/desktop_host.h"
#include "tools/record/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/host.h"
#include "tools/script/session_record.h"

static LayerHost desktop;
static HostPost gamePost = nullptr;
static bool recording = false;

// A record that cannot be written is said once; the game goes on.
static void TellFailure()
{
    std::string error;
    if (SessionRecordTakeFailure(error))
        std::fprintf(stderr, "Тримвальд: %s; the game goes on without recording\n", error.c_str());
}

static void BeforePeek()
{
    SessionBeforePeek();
    TellFailure();
    desktop.beforePeek();
}

static void FrameStart()
{
    desktop.frameStart();
    SessionFrameStart();
}

static POINT RecordCursorPosition()
{
    POINT point = desktop.cursorPosition();
    SessionCursor(point);
    return point;
}

static int RecordMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    SessionMessageBoxOpens();
    int answer = desktop.messageBox(text, caption, style);
    SessionMessageBoxAnswered(style, answer);
    TellFailure();
    return answer;
}

static bool RecordDisplayMode(int width, int height, int bits)
{
    bool available = desktop.displayModeAvailable(width, height, bits);
    SessionDisplayMode(available);
    TellFailure();
    return available;
}

static BOOL RecordPlaySound(const char* sound, DWORD flags)
{
    SessionSound(sound);
    return desktop.playSound(sound, flags);
}

static void WatchMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SessionWindowMessage(message, wParam, lParam);
    TellFailure();
    gamePost(window, message, wParam, lParam);
}

static void PumpEvents(HostPost post)
{
    gamePost = post;
    desktop.pumpEvents(WatchMessage);
}

bool StartRecording(const std::string& path, std::string& error)
{
    // Opened without blocking, so that a named pipe nobody reads fails at once instead of
    // holding the game before it starts; written to as any file once open.
    int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    FILE* file = nullptr;
    if (descriptor >= 0) {
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        file = fdopen(descriptor, "w");
        if (!file)
            close(descriptor);
    }
    if (!file) {
        error = "cannot record into " + path + ": " +
                (errno == ENXIO ? "a named pipe that nobody reads" : std::strerror(errno));
        return false;
    }
    std::string why;
    if (!SessionRecordStart(file, why)) {
        error = "cannot record into " + path + ": " + why;
        return false;
    }
    LayerInstallAround(DesktopHost(), desktop, [](LayerHost& host) {
        host.beforePeek = BeforePeek;
        host.frameStart = FrameStart;
        host.cursorPosition = RecordCursorPosition;
        host.messageBox = RecordMessageBox;
        host.displayModeAvailable = RecordDisplayMode;
        host.playSound = RecordPlaySound;
        host.pumpEvents = PumpEvents;
    });
    recording = true;
    return true;
}

void FinishRecording()
{
    if (!recording)
        return;
    recording = false;
    LayerInstallHost(nullptr);
    std::string error;
    if (!SessionRecordFinish(error))
        std::fprintf(stderr, "Тримвальд: the recording is not complete: %s\n", error.c_str());
}
