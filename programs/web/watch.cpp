#include "programs/web/watch.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/scripted/scripted_host.h"
#include "platform/web/web_host.h"
#include "tools/replay/driver.h"
#include "tools/replay/watch.h"
#include "tools/script/check.h"
#include "tools/script/json_writer.h"

static bool stopWanted;

// Of the page's events only the player's wish to stop counts: Escape, or F1 (the game's own
// way out), or the window closed.
static void CatchStop(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_CLOSE || (message == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_F1)))
        stopWanted = true;
}

static bool PageAsksToStop()
{
    stopWanted = false;
    WebHost().pumpEvents(CatchStop);
    return stopWanted;
}

static bool PagePicture(int frame, const std::string&)
{
    return WebOfferPicture(frame);
}

static int Refused(int code, const std::string& why)
{
    std::fprintf(stderr, "trimvald: %s\n", why.c_str());
    WebWatchEnded("{\"exit\": " + std::to_string(code) + ", \"error\": " + JsonString(why) + "}");
    return code;
}

// Frames like 5,600,1300 into the shots' map; false for anything else.
static bool ParseShots(const std::string& list, long last, ReplayOptions& options, std::string& why)
{
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.empty() || item.size() > 9 || item.find_first_not_of("0123456789") != std::string::npos ||
            std::atol(item.c_str()) < 1) {
            why = "shots takes frame numbers like 5,600,1300, not " + QuotedText(item);
            return false;
        }
        long frame = std::atol(item.c_str());
        if (frame > last) {
            why = "shot " + item + ": the script plays only " + std::to_string(last) + " frames";
            return false;
        }
        options.shots[(int)frame] = "page";
    }
    return true;
}

int WatchInPage(const std::string& path, const std::string& shots)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Refused(2, "cannot read the recording " + path);
    std::stringstream text;
    text << file.rdbuf();
    Script script;
    std::string error;
    if (!ParseScript(text.str(), script, error))
        return Refused(2, error);
    std::string recordedEnd;
    bool recording = RecordedEnd(text.str(), recordedEnd);
    long last = 0;
    for (const ScriptStep& step : script.steps)
        if (step.kind == StepKind::Frames)
            last += step.frames;
    ReplayOptions options;
    options.watch = true;
    options.dump = DumpMode::Last;
    if (!ParseShots(shots, last, options, error))
        return Refused(2, error);

    // The run plays on the scripted host drawn in the page's canvas; the page's clock paces
    // it, its cues play in the page, and its keys only stop it.
    ScriptedHostShowOn(WebHost());
    WebShowRecording();
    ReplayTakeShotsWith(PagePicture);
    WatchOn(WebHost(), PageAsksToStop);
    // The run's lines (the last frame's state among them) go to the console, as the driver
    // prints them.
    RunReplay(script, options, stdout);
    std::fflush(stdout);
    if (!LayerMachineRefusal().empty())
        return Refused(5, "the game cannot start here: " + LayerMachineRefusal());

    const std::string replayed = ReplayLastDump().empty() ? "{\"frame\": 0}" : ReplayLastDump();
    bool stopped = WatchStopRequested();
    int code = 0;
    std::string verdict;
    if (recording && !stopped) {
        // The same comparison as --check, its words kept for the page.
        char* words = nullptr;
        size_t size = 0;
        FILE* said = open_memstream(&words, &size);
        code = said ? CompareEnds(recordedEnd, replayed, said) : 1;
        if (said) {
            std::fclose(said);
            verdict.assign(words, size);
            std::free(words);
        }
        while (!verdict.empty() && verdict.back() == '\n')
            verdict.pop_back();
        std::printf("%s\n", verdict.c_str());
    }
    std::string outcome = "{\"exit\": " + std::to_string(code) + ", \"recording\": " +
                          (recording ? "true" : "false") + ", \"stopped\": " + (stopped ? "true" : "false");
    if (recording && !stopped)
        outcome += std::string(", \"reached\": ") + (code == 0 ? "true" : "false");
    outcome += ", \"verdict\": " + JsonString(verdict) + ", \"lastDump\": " + replayed + "}";
    WebWatchEnded(outcome);
    return code;
}
