#include "tools/script/session_record.h"

#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <ctime>
#include <vector>

#include "game/game_input.h"
#include "tools/script/script_writer.h"
#include "tools/script/frame_journal.h"
#include "tools/script/script.h"

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

static void FrameEnded(int)
{
    ScriptWriterFrame(frameKeys, frameDX, frameDY, NowMs());
}

// The local time and its offset from UTC, as +hhmm: strftime's %z gives the zone's name on
// Windows, so the offset is worked out here.
static std::string StartedAt()
{
    std::time_t now = std::time(nullptr);
    // Each result is copied at once: the two calls may share one buffer.
    const std::tm* read = std::localtime(&now);
    if (!read)
        return "";
    std::tm localTime = *read;
    read = std::gmtime(&now);
    if (!read)
        return "";
    std::tm utc = *read;
    utc.tm_isdst = -1;
    long offset = (long)std::difftime(now, std::mktime(&utc)) / 60;
    char text[64] = "";
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &localTime);
    char zone[32];
    std::snprintf(zone, sizeof zone, " %c%02ld%02ld", offset < 0 ? '-' : '+', std::labs(offset) / 60,
                  std::labs(offset) % 60);
    return std::string(text) + zone;
}

bool SessionRecordStart(FILE* file, std::string& error)
{
    std::setvbuf(file, nullptr, _IONBF, 0);
    // The file is tried at once, so that a full disk is told before the game starts.
    std::string header = std::string(recordingMark) + TRIMVALD_VERSION + ": a session recorded on " +
                         StartedAt() + "\n# watch it with trimvald-replay --watch FILE, check it with "
                         "trimvald-replay --check FILE\n";
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) {
        error = std::strerror(errno ? errno : EIO);
        std::fclose(file);
        return false;
    }
    ScriptWriterStart(file);
    StartFrameJournal(FrameEnded);
    frameKeys.clear();
    frameDX = frameDY = 0;
    windowActive = true;
    return true;
}

void SessionBeforePeek()
{
    JournalFrameEnd();
}

// The keys a frame holds are the game's own key table as its window procedure left it.
void SessionFrameStart()
{
    JournalFrameStart();
    frameKeys.clear();
    for (int code = 1; code < 256; ++code)
        if (keys[code])
            frameKeys.push_back(code);
    frameDX = frameDY = 0;
}

void SessionCursor(POINT point)
{
    if (frameJournal.inProgress) {
        frameDX = (int)(point.x - cursorRest.x);
        frameDY = (int)(point.y - cursorRest.y);
    }
}

void SessionMessageBoxOpens()
{
    JournalFrameEnd();
}

void SessionMessageBoxAnswered(UINT style, int answer)
{
    if ((style & 0xF) == MB_YESNO)
        ScriptWriterLine(answer == IDNO ? "answer no" : "answer yes");
}

void SessionDisplayMode(bool granted)
{
    ScriptWriterLine(granted ? "display ok" : "display fail");
}

void SessionSound(const char* sound)
{
    if (sound)
        JournalSound(sound);
}

// The window messages the game's procedure acts on besides keys; a key's state is read from
// the key table when the next frame starts. Activation only matters where it changes whether
// the window is minimised.
void SessionWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE: {
        bool active = HIWORD(wParam) == 0;
        if (active != windowActive)
            ScriptWriterLine(active ? "restore" : "minimize");
        windowActive = active;
        break;
    }
    case WM_SIZE:
        ScriptWriterLine("resize " + std::to_string(LOWORD(lParam)) + " " + std::to_string(HIWORD(lParam)));
        break;
    case WM_CLOSE:
        ScriptWriterLine("close");
        break;
    }
}

bool SessionRecordFinish(std::string& error)
{
    JournalFrameEnd();
    return ScriptWriterFinish(recordingEndMark + JournalLastFrameLine(), error);
}

bool SessionRecordTakeFailure(std::string& error)
{
    return ScriptWriterTakeFailure(error);
}
