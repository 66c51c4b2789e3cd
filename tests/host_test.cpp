// The seam between the layer and its host, and the reset that returns the process to program
// start.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "app/game_main.h"
#include "app/game_window.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "render/scene_lists.h"
#include "render/textures.h"
#include "platform/layer/charset.h"
#include "platform/desktop/desktop_host.h"
#include "platform/layer/layer.h"
#include "platform/scripted/scripted_host.h"
#include "tests/scenario.h"
#include "tools/replay/watch.h"
#include "tools/script/json_writer.h"

namespace {

// A host that passes every call on to the scripted host and writes down what passed, as a
// session recorder does with the desktop host.
LayerHost inner;
std::vector<std::string> passed;
int framesStarted;
int cursorReadings;

void Watch(LayerHost& watcher)
{
    watcher.messageBox = [](const std::string& text, const std::string& caption, UINT style) {
        int answer = inner.messageBox(text, caption, style);
        passed.push_back(caption + " -> " + std::to_string(answer));
        return answer;
    };
    watcher.displayModeAvailable = [](int width, int height, int bits) {
        bool available = inner.displayModeAvailable(width, height, bits);
        passed.push_back(std::to_string(width) + "x" + std::to_string(height) + "x" +
                         std::to_string(bits) + (available ? " ok" : " fail"));
        return available;
    };
    watcher.frameStart = [] {
        inner.frameStart();
        if (++framesStarted == 3)
            LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
    };
    watcher.cursorPosition = [] {
        ++cursorReadings;
        POINT point = inner.cursorPosition();
        point.x -= 10;  // one degree to the left in every frame
        return point;
    };
    // The machine's window and OpenGL, as a host without SDL would be asked for them.
    watcher.createWindow = [](const std::string& caption, int x, int y, int width, int height,
                              bool frameless, bool resizable) {
        passed.push_back("window " + std::to_string(width) + "x" + std::to_string(height) +
                         (frameless ? " frameless" : "") + (resizable ? " resizable" : ""));
        return inner.createWindow(caption, x, y, width, height, frameless, resizable);
    };
    watcher.showWindow = [](HostWindow* window, bool shown) {
        passed.push_back(shown ? "shown" : "hidden");
        inner.showWindow(window, shown);
    };
    watcher.allowScreenSaver = [](bool allowed) {
        passed.push_back(allowed ? "saver allowed" : "saver held off");
        inner.allowScreenSaver(allowed);
    };
    watcher.createContext = [](HostWindow* window) {
        passed.push_back("context");
        return inner.createContext(window);
    };
    watcher.makeCurrent = [](HostWindow* window, HostContext* context) {
        passed.push_back("current");
        return inner.makeCurrent(window, context);
    };
    watcher.releaseCurrent = [] {
        passed.push_back("none current");
        inner.releaseCurrent();
    };
    watcher.deleteContext = [](HostContext* context) {
        passed.push_back("context deleted");
        inner.deleteContext(context);
    };
    watcher.swap = [](HostWindow* window) {
        if (passed.back() != "swaps")
            passed.push_back("swaps");
        inner.swap(window);
    };
    watcher.destroyWindow = [](HostWindow* window) {
        passed.push_back("window destroyed");
        inner.destroyWindow(window);
    };
}

TEST(HostSeam, AHostPassingCallsThroughSeesTheAnswersTheDisplayEveryFrameTheCursorAndTheWindow)
{
    ResetProcessState();
    ScriptedHostSetup setup;
    setup.displayModeOk = false;
    InstallScriptedHost(setup);
    passed.clear();
    framesStarted = cursorReadings = 0;
    LayerInstallAround(LayerCurrentHost(), inner, Watch);

    EXPECT_EQ(GameMain(NULL, NULL, NULL, SW_SHOW), 0);
    std::vector<std::string> expected = {Cp1251ToUtf8(startCaption) + " -> " + std::to_string(IDYES),
                                         "800x600x16 fail",
                                         Cp1251ToUtf8(windowedOfferCaption) + " -> " + std::to_string(IDYES),
                                         "window 800x600 resizable", "context", "current",
                                         "shown", "saver held off", "swaps", "none current",
                                         "context deleted", "window destroyed", "saver allowed"};
    EXPECT_EQ(passed, expected);
    EXPECT_EQ(framesStarted, 3);
    EXPECT_EQ(cursorReadings, 3);
    EXPECT_EQ(game.yaw, 3.0f);
    EXPECT_EQ(fullscreen, 0);
    ResetProcessState();
}

// A record a host leaves unfilled is a machine without a clock, a cursor, a display, a window or
// a sound, never a call through nothing; and the host an entry chose is the one a reset puts back.
TEST(HostSeam, AnUnfilledRecordIsAMachineWithNothingNotEvenAWindowAndTheChosenHostComesBack)
{
    ResetProcessState();
    LayerHost nothing;
    LayerSetDefaultHost(nothing);
    LARGE_INTEGER ticks;
    EXPECT_FALSE(QueryPerformanceFrequency(&ticks));
    EXPECT_EQ(ticks.QuadPart, 0);
    ASSERT_TRUE(QueryPerformanceCounter(&ticks));
    EXPECT_EQ(ticks.QuadPart, 0);
    EXPECT_EQ(timeGetTime(), 0u);
    Sleep(5);
    POINT cursor = {7, 7};
    SetCursorPos(1, 2);
    ShowCursor(FALSE);
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 0);
    EXPECT_EQ(cursor.y, 0);
    EXPECT_EQ(MessageBoxA(nullptr, "?", "?", MB_YESNO), 0) << "no box, no answer";
    EXPECT_FALSE(PlaySoundA("Data\\Sounds\\1M.wav", nullptr, SND_ASYNC | SND_FILENAME));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // No video: the game's window cannot be had, and the refusal says why in the record's words.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "nothing";
    ASSERT_TRUE(RegisterClassA(&windowClass));
    EXPECT_EQ(CreateWindowExA(0, "nothing", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                              nullptr, nullptr), nullptr);
    EXPECT_EQ(LayerMachineRefusal(), "no video driver can start (no machine)");
    EXPECT_EQ(wglGetProcAddress("glBlitFramebuffer"), nullptr);

    LayerInstallHost(nullptr);
    EXPECT_EQ(LayerCurrentHost().counter, nothing.counter);
    LayerSetDefaultHost(DesktopHost());
    ScriptedHostSetup setup;
    InstallScriptedHost(setup);
    LayerReset();
    EXPECT_EQ(LayerCurrentHost().counter, DesktopHost().counter) << "the chosen host is back";
    ResetProcessState();
}

namespace {

// The machine a player watches on, as a program's entry hands it to the scripted host and the
// watcher: SDL's video underneath, its window and swaps counted, a counter of whole
// milliseconds that moves 4 at every reading, its fine sleeps and cues written down, and the
// player asking to stop once 15 frames were shown.
LayerHost sdlMachine;
int machineWindows, machineSwaps;
int64_t machineClock;
std::vector<int64_t> machineSleeps;
std::vector<std::string> machineCues;

LayerHost WatchedMachine()
{
    sdlMachine = ScriptedSdlMachine();
    machineWindows = machineSwaps = 0;
    machineClock = 0;
    machineSleeps.clear();
    machineCues.clear();
    LayerHost machine = sdlMachine;
    machine.createWindow = [](const std::string& caption, int x, int y, int width, int height,
                              bool frameless, bool resizable) {
        ++machineWindows;
        return sdlMachine.createWindow(caption, x, y, width, height, frameless, resizable);
    };
    machine.swap = [](HostWindow* window) {
        ++machineSwaps;
        sdlMachine.swap(window);
    };
    machine.counterFrequency = [](int64_t* ticks) { *ticks = 1000; return true; };
    machine.counter = [] { return machineClock += 4; };
    machine.sleepFine = [](int64_t hundredNanoseconds) {
        machineSleeps.push_back(hundredNanoseconds);
        machineClock += hundredNanoseconds / 10000;
    };
    machine.playSound = [](const char* sound, DWORD) -> BOOL {
        if (sound)
            machineCues.push_back(sound);
        return TRUE;
    };
    return machine;
}

}

// Watching draws in the machine's window, holds every frame to 10 ms of the machine's clock
// (4 ms gone by the swap: 6 ms slept), plays the game's cues on it and stops when its player
// asks; the game itself runs as headless, frame for frame.
TEST(HostSeam, AWatchedRunIsShownPacedAndHeardOnTheChosenMachineAndPlaysAsHeadless)
{
    const std::string script = "answer yes\nframes 1 ENTER\nframes 40 E\n";
    ScenarioResult headless = RunScenario(script);
    LayerHost machine = WatchedMachine();
    ScriptedHostShowOn(machine);
    WatchOn(machine, [] { return machineSwaps >= 15; });
    ReplayOptions options;
    options.watch = true;
    ScenarioResult watched = RunScenario(script, options);
    ScriptedHostShowOn(ScriptedSdlMachine());

    EXPECT_EQ(watched.exitCode(), 0);
    ASSERT_GE(watched.frameCount(), 15);
    EXPECT_LT(watched.frameCount(), headless.frameCount()) << "the player's stop ends the run";
    EXPECT_EQ(machineWindows, 1);
    EXPECT_EQ(machineSwaps, watched.frameCount());
    EXPECT_EQ(machineSleeps, std::vector<int64_t>(machineSwaps, 60000));
    std::vector<std::string> cues;
    for (int frame = 1; frame <= watched.frameCount(); ++frame) {
        const nlohmann::json dump = headless.frame(frame);
        EXPECT_EQ(watched.frame(frame), dump) << "frame " << frame;
        for (const auto& played : dump["sounds"])
            cues.push_back(played.get<std::string>());
    }
    ASSERT_FALSE(cues.empty());
    EXPECT_EQ(machineCues, cues);
    ResetProcessState();
}

TEST(ProcessReset, EveryGroupIsBackAtProgramStart)
{
    // A game played, then the state stirred beyond anything the game itself leaves behind.
    RunScenario("answer yes\nframes 1 ENTER\nframes 60 W E mouse 4 2\n");
    ScriptedHostSetup setup;
    InstallScriptedHost(setup);
    randomState = 77;
    keys['W'] = 1;
    appActive = 0;
    fullscreen = 0;
    frameDelay = 9;
    TimerStart();
    ASSERT_EQ(OpenGameWindow(gameWindowTitle, 800, 600, 16, 1), 1);  // left open
    ASSERT_NE(LayerClockReadings(), 0);
    // The scripted host replaced before the reset: its clock is put back all the same.
    ScriptedClockSetPace(3000, 0);
    LayerInstallHost(nullptr);
    ASSERT_NE(ScriptedClockNow(), 0);

    ResetProcessState();
    EXPECT_EQ(GameStateJson(game), GameStateJson(GameState()));
    EXPECT_EQ(randomState, 1u);
    unsigned char noKeys[256] = {};
    EXPECT_EQ(std::memcmp(keys, noKeys, sizeof keys), 0);
    EXPECT_EQ(appActive, 1);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(frameDelay, 5);
    EXPECT_EQ(FrameTimer.frequency, 0);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(windowDC, nullptr);
    EXPECT_EQ(glContext, nullptr);
    EXPECT_EQ(textures[0], 0u) << "the renderer's names, made with the window, are forgotten";
    EXPECT_EQ(skyQuadric, nullptr);
    EXPECT_FALSE(LayerQueryWindow().exists);
    EXPECT_FALSE(LayerQueryWindow().displayModeChanged);
    EXPECT_TRUE(LayerQueryWindow().cursorVisible);
    EXPECT_EQ(LayerClockReadings(), 0);
    EXPECT_EQ(ScriptedClockNow(), 0);
    EXPECT_EQ(LayerCurrentHost().counter, DesktopHost().counter) << "the desktop host is back";

    // And the game runs again from there, to the same end as a first run.
    ScenarioResult first = RunScenario("answer yes\nframes 1 ENTER\nframes 30 W E\n");
    ScenarioResult again = RunScenario("answer yes\nframes 1 ENTER\nframes 30 W E\n");
    EXPECT_EQ(first.lines, again.lines);
}

// The Linux game runs in the first folder holding Data/: the current one, the executable's,
// then the installed layouts' ../share/trimvald and Debian's ../share/games/trimvald beside it.
TEST(DataFolder, CurrentThenTheExecutablesThenTheInstalledShare)
{
    std::string root = ::testing::TempDir() + "trimvald-data-XXXXXX";
    ASSERT_NE(mkdtemp(&root[0]), nullptr);
    for (const char* folder : {"/bin", "/games", "/share", "/share/games", "/share/games/trimvald",
                               "/share/games/trimvald/Data", "/share/trimvald", "/cwd"})
        ASSERT_EQ(mkdir((root + folder).c_str(), 0700), 0) << folder;
    char before[4096];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    ASSERT_EQ(chdir((root + "/cwd").c_str()), 0);
    EXPECT_EQ(DesktopDataFolder(root + "/games/trimvald"), root + "/games/../share/games/trimvald");
    ASSERT_EQ(mkdir((root + "/share/trimvald/Data").c_str(), 0700), 0);
    const std::string game = root + "/bin/trimvald";
    EXPECT_EQ(DesktopDataFolder(game), root + "/bin/../share/trimvald");
    EXPECT_EQ(DesktopDataFolder("trimvald"), ".") << "no folder to look in";
    mkdir((root + "/bin/Data").c_str(), 0700);
    EXPECT_EQ(DesktopDataFolder(game), root + "/bin");
    mkdir((root + "/cwd/Data").c_str(), 0700);
    EXPECT_EQ(DesktopDataFolder(game), ".");
    EXPECT_EQ(chdir(before), 0);
    EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
}

}  // namespace
