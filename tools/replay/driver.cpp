#include "tools/replay/driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/game_main.h"
#include "app/game_window.h"
#include "game/game_state.h"
#include "platform/scripted/scripted_host.h"
#include "platform/platform.h"
#include "tools/script/frame_journal.h"
#include "tools/replay/interrupts.h"
#include "tools/script/json_writer.h"
#include "tools/replay/process_state.h"
#include "tools/replay/watch.h"

using Clock = std::chrono::steady_clock;

// Frames the game may run after the script's closing message before the driver gives up.
static const int framesAfterCloseLimit = 1000;

static const Script* script;
static const ReplayOptions* options;
static FILE* out;
static std::size_t nextStep;
static int framesLeftInStep;
static std::set<int> heldKeys;
static POINT cursor = cursorRest;
static std::deque<bool> answers;
static bool closeDelivered;
static int framesAfterClose;

static std::string lastDump;

static Clock::time_point startupFrom;
static bool firstFrameSeen;
static double startupMs;
static Clock::time_point frameBegan;
static std::vector<double> frameMs;

static double MsSince(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

static bool TimedFrame(int frame)
{
    if (options->timingFrames.empty())
        return true;
    for (const auto& range : options->timingFrames)
        if (range.first <= frame && frame <= range.second)
            return true;
    return false;
}

static void FrameEnded(int framesCompleted)
{
    if (options->timing && TimedFrame(framesCompleted))
        frameMs.push_back(MsSince(frameBegan));
    if (options->frameEnd)
        options->frameEnd(framesCompleted);
    if (closeDelivered && ++framesAfterClose > framesAfterCloseLimit) {
        std::fprintf(stderr, "trimvald-replay: the game kept running after it was closed\n");
        std::exit(3);
    }
    bool wanted = options->dump == DumpMode::Every || options->dump == DumpMode::Last ||
                  (options->dump == DumpMode::Listed && options->dumpFrames.count(framesCompleted));
    if (!wanted)
        return;
    std::string line = FrameDumpLine(framesCompleted, frameJournal.drawn, game, frameJournal.sounds);
    if (options->dump == DumpMode::Last)
        lastDump = line;
    else
        std::fprintf(out, "%s\n", line.c_str());
}

static void BeforePeek()
{
    JournalFrameEnd();
}

// Posts one key message for each key whose state changes; returns how many it posted.
static int PostKeyChanges(const std::set<int>& wanted)
{
    int posted = 0;
    for (int key : heldKeys)
        if (!wanted.count(key)) {
            LayerPostMessage(mainWindow, WM_KEYUP, (WPARAM)key, KeyChangeParam(false));
            ++posted;
        }
    for (int key : wanted)
        if (!heldKeys.count(key)) {
            LayerPostMessage(mainWindow, WM_KEYDOWN, (WPARAM)key, KeyChangeParam(true));
            ++posted;
        }
    heldKeys = wanted;
    return posted;
}

// Feeds the game the next piece of the script when its message queue runs dry: either the
// messages of the next step, or nothing, so that a frame runs.
static void QueueEmpty()
{
    EndIfInterrupted(out, frameJournal.completed);
    // A player who stops watching closes the game as the end of the script does.
    if (WatchStopRequested() && !closeDelivered) {
        closeDelivered = true;
        LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
        return;
    }
    for (;;) {
        if (framesLeftInStep > 0) {
            --framesLeftInStep;
            return;
        }
        if (nextStep >= script->steps.size()) {
            // The script is over: close the window as a user would.
            if (!closeDelivered) {
                closeDelivered = true;
                LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
            }
            return;
        }
        const ScriptStep& step = script->steps[nextStep++];
        switch (step.kind) {
        case StepKind::Frames:
            cursor.x = cursorRest.x + step.mouseDX;
            cursor.y = cursorRest.y + step.mouseDY;
            framesLeftInStep = step.frames;
            if (PostKeyChanges(step.keys) > 0)
                return;  // the step's frames run once the key messages are handled
            break;
        case StepKind::Minimize:
            LayerPostMessage(mainWindow, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
            return;
        case StepKind::Restore:
            LayerPostMessage(mainWindow, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
            return;
        case StepKind::Close:
            LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
            return;
        case StepKind::Resize:
            LayerPostMessage(mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(step.width, step.height));
            return;
        }
    }
}

static void FrameStart()
{
    EndIfInterrupted(out, frameJournal.completed);
    JournalFrameStart();
    if (!firstFrameSeen) {
        firstFrameSeen = true;
        startupMs = MsSince(startupFrom);
    }
    frameBegan = Clock::now();
}

// A screenshot that could not be kept fails the run.
static bool shotFailed = false;
static bool (*takeShot)(int frame, const std::string& target) = nullptr;

void ReplayTakeShotsWith(bool (*take)(int frame, const std::string& target))
{
    takeShot = take;
}

static void BeforeSwap()
{
    auto shot = options->shots.find(frameJournal.completed + 1);
    if (frameJournal.inProgress && shot != options->shots.end() && takeShot &&
        !takeShot(shot->first, shot->second))
        shotFailed = true;
}

static POINT Cursor()
{
    return cursor;
}

static void Sound(const char* file)
{
    JournalSound(file);
}

static bool Fails(const char* functionName)
{
    return script->failing.count(functionName) != 0;
}

static int AnswerMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    JournalFrameEnd();  // a message box opens between frames
    const char* answer = "ok";
    int result = IDOK;
    if ((style & 0xF) == MB_YESNO) {
        bool yes = true;
        if (!answers.empty()) {
            yes = answers.front();
            answers.pop_front();
        }
        answer = yes ? "yes" : "no";
        result = yes ? IDYES : IDNO;
    }
    std::fprintf(out, "{\"messageBox\": {\"text\": %s, \"caption\": %s, \"style\": %u, \"answer\": \"%s\"}, "
                "\"frame\": %d}\n",
                JsonString(text).c_str(), JsonString(caption).c_str(), style, answer, frameJournal.completed);
    if (!firstFrameSeen)
        startupFrom = Clock::now();  // start-up is measured without the prompt
    return result;
}

static double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    std::size_t index = (std::size_t)(fraction * (double)(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

const std::string& ReplayLastDump()
{
    return lastDump;
}

bool ReplayShotFailed()
{
    return shotFailed;
}

// Forgets the driver's own record of a run.
static void ResetReplayDriver()
{
    shotFailed = false;
    ResetWatch();
    script = nullptr;
    options = nullptr;
    out = nullptr;
    answers.clear();
    nextStep = 0;
    framesLeftInStep = 0;
    heldKeys.clear();
    cursor = cursorRest;
    closeDelivered = false;
    framesAfterClose = 0;
    StartFrameJournal(nullptr);
    lastDump.clear();
    firstFrameSeen = false;
    startupMs = 0.0;
    frameMs.clear();
}

int RunReplay(const Script& runScript, const ReplayOptions& runOptions, FILE* output)
{
    // Every run starts from program start, as the program itself does, and from no record of
    // the run before it.
    ResetProcessState();
    ResetReplayDriver();
    if (runOptions.beforeRun)
        runOptions.beforeRun();
    script = &runScript;
    options = &runOptions;
    out = output;
    answers = runScript.answers;
    StartFrameJournal(FrameEnded);

    ScriptedHostSetup host;
    host.messageBox = AnswerMessageBox;
    host.fails = Fails;
    host.displayModeOk = runScript.displayOk;
    host.beforePeek = BeforePeek;
    host.queueEmpty = QueueEmpty;
    host.frameStart = FrameStart;
    host.beforeSwap = BeforeSwap;
    host.cursor = Cursor;
    host.sound = Sound;
    InstallScriptedHost(host);
    if (runOptions.watch)
        InstallWatchingHost();

    startupFrom = Clock::now();
    int code = GameMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOW);
    JournalFrameEnd();
    LayerInstallHost(nullptr);

    if (!lastDump.empty())
        std::fprintf(out, "%s\n", lastDump.c_str());
    if (options->timing) {
        std::fprintf(out, "{\"timing\": {\"startupMs\": %.3f, \"frames\": %zu, \"frameMsMedian\": %.4f, "
                    "\"frameMsP99\": %.4f, \"frameMsMax\": %.4f}}\n",
                    firstFrameSeen ? startupMs : 0.0, frameMs.size(), Percentile(frameMs, 0.5),
                    Percentile(frameMs, 0.99), Percentile(frameMs, 1.0));
    }
    std::fprintf(out, "{\"exit\": %d, \"frames\": %d}\n", code, frameJournal.completed);
    std::fflush(out);
    return code;
}
