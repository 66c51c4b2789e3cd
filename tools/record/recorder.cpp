// The recorder is a host around the desktop host: every entry it watches hands the call on
// unchanged and writes down what the replay driver needs to make the same call come out the
// same way. Its frames are the replay driver's, counted by the same journal.
#include "tools/record/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "app/game_window.h"
#include "game/game_state.h"
#include "platform/host.h"
#include "tools/record/script_writer.h"
#include "tools/replay/frame_journal.h"

static LayerHost desktop;
static HostPost gamePost = nullptr;
static bool recording = false;

// What the frame under way holds besides the journal's own: its keys and mouse offset.
static std::vector<int> frameKeys;
static int frameDX = 0;
static int frameDY = 0;
// What the recorded window messages have left the game's window: active or minimised.
static bool windowActive = true;

static double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

static void TellFailure()
{
    std::string error;
    if (ScriptWriterTakeFailure(error))
        std::fprintf(stderr, "Тримвальд: %s; the game goes on without recording\n", error.c_str());
}

static void FrameEnded(int)
{
    ScriptWriterFrame(frameKeys, frameDX, frameDY, NowMs());
    TellFailure();
}

static void WriteLine(const std::string& line)
{
    ScriptWriterLine(line);
    TellFailure();
}

static void BeforePeek()
{
    JournalFrameEnd();
    desktop.beforePeek();
}

// The keys a frame holds are the game's own key table as its window procedure left it.
static void FrameStart()
{
    desktop.frameStart();
    JournalFrameStart();
    frameKeys.clear();
    for (int code = 1; code < 256; ++code)
        if (keys[code])
            frameKeys.push_back(code);
    frameDX = frameDY = 0;
}

// Mouse look reads the cursor once a frame and puts it back at (320, 240).
static POINT RecordCursorPosition()
{
    POINT point = desktop.cursorPosition();
    if (frameJournal.inProgress) {
        frameDX = (int)point.x - 320;
        frameDY = (int)point.y - 240;
    }
    return point;
}

static int RecordMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    JournalFrameEnd();  // a message box opens between frames
    int answer = desktop.messageBox(text, caption, style);
    if ((style & 0xF) == MB_YESNO)
        WriteLine(answer == IDNO ? "answer no" : "answer yes");
    return answer;
}

static bool RecordDisplayMode(int width, int height, int bits)
{
    bool available = desktop.displayModeAvailable(width, height, bits);
    WriteLine(available ? "display ok" : "display fail");
    return available;
}

static BOOL RecordPlaySound(const char* sound, DWORD flags)
{
    if (sound)
        JournalSound(sound);
    return desktop.playSound(sound, flags);
}

// The window messages the game's procedure acts on besides keys; a key's state is read from
// the key table when the next frame starts. Activation only matters where it changes whether
// the window is minimised.
static void WatchMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE: {
        bool active = HIWORD(wParam) == 0;
        if (active != windowActive)
            WriteLine(active ? "restore" : "minimize");
        windowActive = active;
        break;
    }
    case WM_SIZE:
        WriteLine("resize " + std::to_string(LOWORD(lParam)) + " " + std::to_string(HIWORD(lParam)));
        break;
    case WM_CLOSE:
        WriteLine("close");
        break;
    }
    gamePost(window, message, wParam, lParam);
}

static void PumpEvents(HostPost post)
{
    gamePost = post;
    desktop.pumpEvents(WatchMessage);
}

static std::string StartedAt()
{
    std::time_t now = std::time(nullptr);
    char text[64] = "";
    const std::tm* local = std::localtime(&now);
    if (local)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", local);
    return text;
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
        else
            std::setvbuf(file, nullptr, _IONBF, 0);
    }
    if (!file) {
        error = "cannot record into " + path + ": " +
                (errno == ENXIO ? "a named pipe that nobody reads" : std::strerror(errno));
        return false;
    }
    // The file is tried at once, so that a full disk is told before the game starts.
    std::string header = std::string("# Тримвальд ") + TRIMVALD_VERSION + ": a session recorded on " +
                         StartedAt() + "\n# watch it with trimvald-replay --watch FILE, check it with "
                         "trimvald-replay --check FILE\n";
    bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    if (!written) {
        error = "cannot record into " + path + ": " + std::strerror(errno);
        std::fclose(file);
        return false;
    }
    ScriptWriterStart(file);
    StartFrameJournal(FrameEnded);
    desktop = LayerDesktopHost();
    LayerHost host = desktop;
    host.beforePeek = BeforePeek;
    host.frameStart = FrameStart;
    host.cursorPosition = RecordCursorPosition;
    host.messageBox = RecordMessageBox;
    host.displayModeAvailable = RecordDisplayMode;
    host.playSound = RecordPlaySound;
    host.pumpEvents = PumpEvents;
    LayerInstallHost(&host);
    recording = true;
    return true;
}

void FinishRecording()
{
    if (!recording)
        return;
    JournalFrameEnd();
    recording = false;
    LayerInstallHost(nullptr);
    // With no frame run (the player said No at the start) the end is frame 0.
    std::string error;
    if (!ScriptWriterFinish("# end " + JournalLastFrameLine(), error))
        std::fprintf(stderr, "Тримвальд: the recording is not complete: %s\n", error.c_str());
}
