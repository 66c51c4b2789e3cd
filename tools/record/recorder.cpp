// The capture for the session record outside Windows: a host around the one the program chose
// (the desktop's, the page's). Every entry it watches hands the call on unchanged and tells the record what the replay driver needs to
// make the same call come out the same way.
#include "tools/record/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/host.h"
#include "tools/script/session_record.h"

static LayerHost machine;
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
    machine.beforePeek();
}

static void FrameStart()
{
    machine.frameStart();
    SessionFrameStart();
}

static POINT RecordCursorPosition()
{
    POINT point = machine.cursorPosition();
    SessionCursor(point);
    return point;
}

static int RecordMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    SessionMessageBoxOpens();
    int answer = machine.messageBox(text, caption, style);
    SessionMessageBoxAnswered(style, answer);
    TellFailure();
    return answer;
}

static bool RecordDisplayMode(int width, int height, int bits)
{
    bool available = machine.displayModeAvailable(width, height, bits);
    SessionDisplayMode(available);
    TellFailure();
    return available;
}

static BOOL RecordPlaySound(const char* sound, DWORD flags)
{
    SessionSound(sound);
    return machine.playSound(sound, flags);
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
    machine.pumpEvents(WatchMessage);
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
    LayerInstallAround(LayerCurrentHost(), machine, [](LayerHost& host) {
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
