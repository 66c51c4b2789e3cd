// trimvald-replay: runs the game headless from a script and reports what happened as JSON.
//
//   usage: trimvald-replay [--dump every|last|N[,N...]] [--shot N:FILE.png]... [--timing]
//                          [--timing-frames N|A-B[,...]] SCRIPT
//          trimvald-replay --check RECORDING
//          trimvald-replay --watch [--shot N:FILE.png]... SCRIPT
//          trimvald-replay --help | --version
//     SCRIPT              a script file, or - for standard input
//     --dump WHICH        which frames are dumped as JSON lines; none if not given
//     --shot N:FILE.png   frame N saved as a PNG; may be repeated
//     --timing            start-up and frame times measured with a real clock
//     --timing-frames L   only the listed frames and ranges timed (turns --timing on)
//     --check RECORDING   replays a recording and compares its end with the one it recorded
//     --watch             shown in a window at the game's pace, with sound; Escape stops it
//     --help, -h          this text, and nothing run
//     --version           the driver's version, and nothing run
//   It runs in the current folder when that holds Data/, else where the game's executable
//   finds it.
//   exit code: 0 when the run went through, 1 when its output could not be written (standard
//   output or a screenshot, or a recording that replays to another end) or --watch has no
//   display, 2 for a command line or script it refuses, 3 when the game kept running after its
//   window was closed, 4 for a recording whose end line is damaged, 5 when the game cannot start
//   on this machine (no window or OpenGL context could be had), 130 or 143 when SIGINT or
//   SIGTERM stopped it
#include <SDL.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/desktop/desktop_host.h"
#include "platform/scripted/scripted_host.h"
#include "tools/script/check.h"
#include "tools/replay/driver.h"
#include "tools/replay/interrupts.h"
#include "tools/replay/png_shot.h"
#include "tools/replay/watch.h"
#include "platform/host.h"
#include "platform/nullgl/null_gl.h"

// What --help prints and every refusal of the command line ends with; the comment at the top of
// this file and the driver's page, docs/replay.md, show the same text.
static const char usageText[] =
    "usage: trimvald-replay [--dump every|last|N[,N...]] [--shot N:FILE.png]... [--timing]\n"
    "                       [--timing-frames N|A-B[,...]] SCRIPT\n"
    "       trimvald-replay --check RECORDING\n"
    "       trimvald-replay --watch [--shot N:FILE.png]... SCRIPT\n"
    "       trimvald-replay --help | --version\n"
    "  SCRIPT              a script file, or - for standard input\n"
    "  --dump WHICH        which frames are dumped as JSON lines; none if not given\n"
    "  --shot N:FILE.png   frame N saved as a PNG; may be repeated\n"
    "  --timing            start-up and frame times measured with a real clock\n"
    "  --timing-frames L   only the listed frames and ranges timed (turns --timing on)\n"
    "  --check RECORDING   replays a recording and compares its end with the one it recorded\n"
    "  --watch             shown in a window at the game's pace, with sound; Escape stops it\n"
    "  --help, -h          this text, and nothing run\n"
    "  --version           the driver's version, and nothing run\n";

static int Usage(const std::string& why)
{
    std::fprintf(stderr, "trimvald-replay: %s\n%s", why.c_str(), usageText);
    return 2;
}

// A refusal that is not about the command line's form: the reason alone.
static int Refuse(const std::string& why)
{
    std::fprintf(stderr, "trimvald-replay: %s\n", why.c_str());
    return 2;
}

// While a recording is checked on a terminal: how far it has come, at most once a second, on
// one line that is cleared at the end.
static void ShowProgress(int frame, long total, bool done)
{
    using Clock = std::chrono::steady_clock;
    static Clock::time_point shown = Clock::now();
    static bool showing = false;
    if (done) {
        if (showing)
            std::fputs("\r\033[K", stderr);
        showing = false;
        return;
    }
    if (Clock::now() - shown < std::chrono::seconds(1))
        return;
    shown = Clock::now();
    showing = true;
    std::fprintf(stderr, "\rchecking: %d of %ld frames", frame, total);
    std::fflush(stderr);
}

static bool ParseFrameNumber(const std::string& text, int& frame)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    frame = std::atoi(text.c_str());
    return frame >= 1;
}

static bool ParseDump(const std::string& value, ReplayOptions& options)
{
    if (value == "every") {
        options.dump = DumpMode::Every;
        return true;
    }
    if (value == "last") {
        options.dump = DumpMode::Last;
        return true;
    }
    options.dump = DumpMode::Listed;
    std::stringstream list(value);
    std::string item;
    while (std::getline(list, item, ',')) {
        int frame;
        if (!ParseFrameNumber(item, frame))
            return false;
        options.dumpFrames.insert(frame);
    }
    return !options.dumpFrames.empty();
}

// Frames like 5, 100-150 and 300-320, comma-separated; ranges are inclusive.
static bool ParseFrameRanges(const std::string& value, std::vector<std::pair<int, int>>& ranges)
{
    std::stringstream list(value);
    std::string item;
    while (std::getline(list, item, ',')) {
        std::size_t dash = item.find('-');
        int first, last;
        if (dash == std::string::npos) {
            if (!ParseFrameNumber(item, first))
                return false;
            last = first;
        } else if (!ParseFrameNumber(item.substr(0, dash), first) ||
                   !ParseFrameNumber(item.substr(dash + 1), last) || last < first) {
            return false;
        }
        ranges.emplace_back(first, last);
    }
    return !ranges.empty();
}

// A standard descriptor closed by the caller would be taken by the next file opened (the X
// connection, say), and output meant for it would go there: each is put on /dev/null first.
static void FillClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            int opened = open("/dev/null", O_RDWR);
            if (opened >= 0 && opened != fd) {
                dup2(opened, fd);
                close(opened);
            }
        }
    }
}

// The last frame a script plays (the game may end sooner, never later).
static long ScriptFrames(const Script& script)
{
    long frames = 0;
    for (const ScriptStep& step : script.steps)
        if (step.kind == StepKind::Frames)
            frames += step.frames;
    return frames;
}

// Outside the folder that holds Data/ (a player watching a recording from home, say) the
// driver moves to the game's own, as the game does; screenshot paths are taken from where the
// driver was started.
static bool EnterDataFolder(const char* argv0, ReplayOptions& options)
{
    std::string folder = DesktopDataFolder(DesktopExecutablePath(argv0));
    if (folder == ".")
        return true;
    char here[PATH_MAX];
    if (!getcwd(here, sizeof here)) {
        std::fprintf(stderr, "trimvald-replay: cannot tell the current folder: %s\n", std::strerror(errno));
        return false;
    }
    for (auto& shot : options.shots)
        if (shot.second[0] != '/')
            shot.second = std::string(here) + "/" + shot.second;
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "trimvald-replay: cannot enter %s: %s\n", folder.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// A recording is watched on a display a player can see, never on a driver that shows nothing.
static bool DisplayToWatchOn()
{
    bool seen = false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        const char* driver = SDL_GetCurrentVideoDriver();
        seen = driver && !DesktopVideoShowsNothing(driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (!seen)
        std::fprintf(stderr, "trimvald-replay: --watch needs a display to show the game on\n");
    return seen;
}

// While watching, the window's own events only say whether the player wants to stop: closing
// it, or Escape.
static bool WindowAsksToStop()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    bool stop = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) ||
            (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
            stop = true;
    }
    return stop;
}

int main(int argc, char** argv)
{
    FillClosedStandardDescriptors();
    // The machine the driver stands on between runs, and whose sound and display watching uses;
    // every run plays on the scripted host installed over it, drawn with SDL's video, its
    // pictures written as PNG files.
    LayerSetDefaultHost(DesktopHost());
    ScriptedHostShowOn(ScriptedSdlMachine());
    ReplayTakeShotsWith(SavePngShot);
    WatchOn(DesktopHost(), WindowAsksToStop);
    ReplayOptions options;
    std::string scriptPath;
    bool checking = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            std::fputs(arg == "--version" ? "trimvald-replay " TRIMVALD_VERSION "\n" : usageText, stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
        }
        if (arg == "--check") {
            if (i + 1 >= argc)
                return Usage("--check needs a recording");
            if (!scriptPath.empty() || checking)
                return Usage("only one script");
            checking = true;
            scriptPath = argv[++i];
            continue;
        }
        if (arg == "--watch") {
            options.watch = true;
            continue;
        }
        if (arg == "--dump" || arg == "--shot" || arg == "--timing-frames") {
            if (i + 1 >= argc)
                return Usage(arg + " needs a value");
            std::string value = argv[++i];
            if (arg == "--dump") {
                if (!ParseDump(value, options))
                    return Usage("--dump takes every, last or frame numbers like 1,5,20");
                continue;
            }
            if (arg == "--timing-frames") {
                options.timing = true;
                if (!ParseFrameRanges(value, options.timingFrames))
                    return Usage("--timing-frames takes frames and ranges like 5,100-150");
                continue;
            }
            std::size_t colon = value.find(':');
            int frame;
            if (colon == std::string::npos || !ParseFrameNumber(value.substr(0, colon), frame) ||
                colon + 1 >= value.size())
                return Usage("--shot takes FRAME:FILE.png, the frame counted from 1");
            options.shots[frame] = value.substr(colon + 1);
        } else if (arg == "--timing") {
            options.timing = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return Usage("unknown option " + arg);
        } else if (scriptPath.empty() && !checking) {
            scriptPath = arg;
        } else {
            return Usage("only one script");
        }
    }
    if (scriptPath.empty())
        return Usage("no script given (a file, or - for standard input)");

    std::stringstream text;
    if (scriptPath == "-") {
        text << std::cin.rdbuf();
    } else {
        struct stat status;
        if (stat(scriptPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            return Refuse("the script " + scriptPath + " is a folder");
        errno = 0;
        std::ifstream file(scriptPath);
        if (!file)
            return Refuse("cannot read script " + scriptPath + ": " +
                          std::strerror(errno ? errno : EIO));
        text << file.rdbuf();
    }
    if (checking && (options.dump != DumpMode::None || !options.shots.empty() || options.timing ||
                     options.watch))
        return Usage("--check takes no other option");
    if (options.watch && (options.dump != DumpMode::None || options.timing))
        return Usage("--watch takes no --dump or --timing");
    std::string recordedEnd;
    if (checking && !RecordedEnd(text.str(), recordedEnd))
        return Refuse(scriptPath + " has no \"# end \" line: it is not a recording, or the game that "
                      "recorded it did not end (a crash); it still plays without --check");
    Script script;
    std::string error;
    if (!ParseScript(text.str(), script, error))
        return Refuse(error);
    if (script.cutOffLine)
        std::fprintf(stderr, "trimvald-replay: the recording was cut off at line %d; played up to it\n",
                     script.cutOffLine);
    long last = ScriptFrames(script);
    for (int frame : options.dumpFrames)
        if (frame > last)
            return Usage("--dump " + std::to_string(frame) + ": the script plays only " +
                         std::to_string(last) + " frames");
    for (const auto& shot : options.shots)
        if (shot.first > last)
            return Usage("--shot " + std::to_string(shot.first) + ": the script plays only " +
                         std::to_string(last) + " frames");
    if (!EnterDataFolder(argc > 0 ? argv[0] : nullptr, options))
        return 1;
    if (options.watch && !DisplayToWatchOn())
        return 1;
    // Where no picture is asked for, nothing is drawn: the drawing calls return at once, and
    // the rest (textures, lists, state) go to Mesa's no-op driver (which every Mesa driver can
    // be, and other drivers ignore), chosen before GL loads. The game never reads its pixels
    // back, so its state is the same frame for frame, and memory stays flat however long the
    // run; a caller's own GALLIUM_NOOP is kept.
    if (!options.watch && options.shots.empty() && !options.timing) {
        setenv("GALLIUM_NOOP", "true", 0);
        NullGlDrawNothing(true);
    }
    if (checking && isatty(STDERR_FILENO))
        options.frameEnd = [last](int frame) { ShowProgress(frame, last, false); };
    // SDL would turn the signals into a quit event the game never reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    CatchInterrupts();
    int code = 0;
    if (checking) {
        // Only the verdict is printed; the run's own lines are not wanted.
        options.dump = DumpMode::Last;
        FILE* unwanted = std::fopen("/dev/null", "w");
        RunReplay(script, options, unwanted ? unwanted : stdout);
        ShowProgress(0, last, true);
        if (unwanted)
            std::fclose(unwanted);
        // A recording of a session that ended at the start question ends at frame 0.
        const std::string& replayed = ReplayLastDump();
        if (LayerMachineRefusal().empty())
            code = CompareEnds(recordedEnd, replayed.empty() ? "{\"frame\": 0}" : replayed, stdout);
    } else {
        RunReplay(script, options, stdout);
    }
    // The game could not start here: that says nothing of the script or the recording.
    if (!LayerMachineRefusal().empty()) {
        std::fprintf(stderr, "trimvald-replay: the game cannot start on this machine: %s\n",
                     LayerMachineRefusal().c_str());
        code = 5;
    }
    // The sound loader's thread (--watch plays its cues) ends before SDL does.
    LayerEnd();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "trimvald-replay: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    }
    if (ReplayShotFailed())
        return 1;
    return code;
}
