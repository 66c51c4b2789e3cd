// The trimvald-replay executable as a user runs it: options, scripts from a file or stdin,
// bad scripts, screenshots and timing.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <unistd.h>
#include <vector>

#include "tests/scenario.h"
#include "tools/script/check.h"
#include "tools/script/script.h"

namespace {

struct CliRun {
    int status = -1;
    std::vector<std::string> lines;
};

// What a shell command writes to stdout, and its exit status (-1 if it did not exit).
std::string Output(const std::string& command, int& status)
{
    status = -1;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "";
    char buffer[65536];
    std::string text;
    while (std::fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    int result = pclose(pipe);
    status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return text;
}

// Runs the driver with the given arguments, the script fed on stdin; stderr joins stdout.
CliRun Replay(const std::string& arguments, const std::string& script)
{
    // Tests run side by side: each run gets a script file of its own.
    std::string scriptPath = ::testing::TempDir() + "replay_cli_XXXXXX";
    int fd = mkstemp(&scriptPath[0]);
    if (fd < 0)
        return CliRun();
    close(fd);
    std::ofstream(scriptPath) << script;
    std::string command = "'" + std::string(REPLAY_EXE) + "' " + arguments + " < '" + scriptPath + "' 2>&1";
    CliRun run;
    std::string text = Output(command, run.status);
    std::remove(scriptPath.c_str());
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("{", 0) == 0 || line.rfind("trimvald-replay", 0) == 0 || line.rfind("usage", 0) == 0)
            run.lines.push_back(line);
    return run;
}

TEST(ReplayCli, RunsAScriptFromStdinAndDumpsTheListedFrames)
{
    CliRun run = Replay("--dump 2,4 -", "# a comment line\nanswer yes   # trailing comment\nframes 5\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(nlohmann::json::parse(run.lines[1])["frame"], 2);
    EXPECT_EQ(nlohmann::json::parse(run.lines[2])["frame"], 4);
    EXPECT_EQ(run.lines[3], R"({"exit": 0, "frames": 5})");
}

TEST(ReplayCli, DumpLastAndTimingComeBeforeTheExitLine)
{
    CliRun run = Replay("--dump last --timing -", "answer yes\nframes 3\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(nlohmann::json::parse(run.lines[1])["frame"], 3);
    nlohmann::json timing = nlohmann::json::parse(run.lines[2])["timing"];
    EXPECT_EQ(timing["frames"], 3);
    for (const char* key : {"startupMs", "frameMsMedian", "frameMsP99", "frameMsMax"})
        EXPECT_GE(timing[key].get<double>(), 0.0) << key;
    EXPECT_LE(timing["frameMsMedian"].get<double>(), timing["frameMsMax"].get<double>());

    // Only the listed frames count: 2 and 4 to 5 of six.
    run = Replay("--timing-frames 2,4-5 -", "answer yes\nframes 6\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(nlohmann::json::parse(run.lines[1])["timing"]["frames"], 3);
}

TEST(ReplayCli, BadScriptsAndOptionsAreRefusedWithTheLineNamed)
{
    struct Case {
        const char* arguments;
        std::string script;
        std::string message;
    } cases[] = {
        {"-", "answer yes\nframes three\n", "script line 2: 'frames' needs a count"},
        {"-", "frames 1 W mouse 1\n", "script line 1: 'mouse' takes two whole numbers"},
        {"-", "frames 1 Ж\n", "script line 1: unknown key"},
        {"-", "fail LoadLibrary\n", "script line 1: 'fail' takes the name"},
        {"-", "jump\n", "script line 1: unknown command 'jump'"},
        {"-", "frames 1 vk:300\n", "script line 1: unknown key 'vk:300'"},
        // What is quoted from a file is cut short and shows odd bytes as \xNN.
        {"-", "\x7f\x02" "ab\xff\xc0\xaf\xd0\x96\nframes 1\n", "unknown command '\\x7f\\x02ab\\xff\\xc0\\xafЖ'"},
        {"-", std::string(100000, 'x') + "\nframes 1\n", "unknown command '" + std::string(80, 'x') + "...'"},
        {"--dump sometimes -", "", "--dump takes every, last"},
        {"--shot 0:x.png -", "", "--shot takes FRAME:FILE.png"},
        {"--timing-frames 9-3 -", "", "--timing-frames takes frames and ranges"},
        {"--timing-frames 1-999999999999 -", "", "--timing-frames takes frames and ranges"},
        {"", "", "no script given"},
        {"/nonexistent/script", "", "cannot read script /nonexistent/script: No such file or directory"},
        {"/tmp", "", "the script /tmp is a folder"},
        {"--dump 6 -", "answer yes\nframes 2\nframes 3\n", "--dump 6: the script plays only 5 frames"},
        {"--shot 9:x.png -", "answer yes\nframes 5\n", "--shot 9: the script plays only 5 frames"},
        {"--watch --dump last -", "", "--watch takes no --dump or --timing"},
    };
    for (const Case& c : cases) {
        CliRun run = Replay(c.arguments, c.script);
        EXPECT_EQ(run.status, 2) << c.script.substr(0, 80);
        ASSERT_FALSE(run.lines.empty()) << c.script.substr(0, 80);
        EXPECT_NE(run.lines[0].find(c.message), std::string::npos) << run.lines[0].substr(0, 200);
        EXPECT_LT(run.lines[0].size(), 200u);
    }
}

// Output that cannot be written fails the run; a closed standard output is no output at all,
// and the run goes through (the X connection must not take its descriptor and wait on it).
TEST(ReplayCli, OutputThatCannotBeWrittenFailsTheRunAndClosedOutputIsNone)
{
    const char* script = "answer yes\nframes 3\n";
    EXPECT_EQ(Replay("--dump every - >/dev/full", script).status, 1);
    CliRun shot = Replay("--shot 2:/nonexistent/folder/x.png -", script);
    EXPECT_EQ(shot.status, 1);
    ASSERT_FALSE(shot.lines.empty());
    EXPECT_NE(shot.lines[0].find("frame 2: cannot write /nonexistent/folder/x.png"), std::string::npos)
        << shot.lines[0];
    int status = -1;
    std::string closed = Output(std::string("printf 'answer yes\\nframes 3\\n' | '") + REPLAY_EXE +
                                    "' --dump every - >&- 2>/dev/null; echo $?",
                                status);
    EXPECT_EQ(closed, "0\n");
}

// SIGINT and SIGTERM stop a long run between frames: the lines printed so far are all there
// and whole, and the exit code is the shell's for that signal. A driver that ran on is killed
// after 10 s and fails the check.
TEST(ReplayCli, SigintAndSigtermEndALongRunWithItsLinesFlushed)
{
    for (const auto& signal : {std::make_pair("INT", 130), std::make_pair("TERM", 143)}) {
        std::string out = ::testing::TempDir() + "replay_cli_signal_" + std::to_string(getpid());
        std::string command =
            // The shell's background job would ignore SIGINT: env puts it back to the default.
            std::string("printf 'answer yes\\nframes 1000000 W\\n' | env --default-signal=INT '") + REPLAY_EXE +
            "' --dump every - >'" + out + "' 2>'" + out + ".err' & pid=$!; "
            "for i in $(seq 200); do [ $(wc -l <'" + out + "') -ge 20 ] && break; sleep 0.05; done; "
            "kill -" + signal.first + " $pid; "
            "for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done; "
            "kill -9 $pid 2>/dev/null; wait $pid; echo $?; cat '" + out + ".err'";
        int status = -1;
        std::string said = Output(command, status);
        EXPECT_EQ(said.substr(0, said.find('\n')), std::to_string(signal.second)) << said;
        EXPECT_NE(said.find("trimvald-replay: "), std::string::npos) << said;
        std::ifstream file(out);
        std::string line;
        int frames = 0;
        while (std::getline(file, line)) {
            nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
            ASSERT_FALSE(parsed.is_discarded()) << "a cut line: " << line;
            if (parsed.contains("frame") && !parsed.contains("messageBox")) {
                EXPECT_EQ(parsed["frame"], ++frames);
            }
        }
        EXPECT_GE(frames, 19);
        std::remove(out.c_str());
        std::remove((out + ".err").c_str());
    }
}

// --check replays a recording to the end its "# end " line holds: the same end passes, one field
// changed fails naming it, and a script without the line is no recording.
TEST(ReplayCli, CheckComparesTheReplayedEndWithTheRecordedOne)
{
    const std::string script = "answer yes\nframes 1 ENTER\nframes 40 W mouse 3 1\n";
    CliRun dumped = Replay("--dump last -", script);
    ASSERT_EQ(dumped.status, 0);
    std::string end;
    for (const std::string& line : dumped.lines)
        if (line.find("\"drawn\"") != std::string::npos)
            end = line;
    ASSERT_FALSE(end.empty());
    std::string health = nlohmann::json::parse(end)["health"].dump();
    std::string altered = end;
    altered.replace(altered.find("\"health\": " + health), 10 + health.size(), "\"health\": 1");
    std::string unscored = end;
    unscored.erase(unscored.find(", \"score\": "), unscored.find(',', unscored.find("\"score\"")) -
                                                       unscored.find(", \"score\": "));
    struct Case {
        std::string line, said;
        int status;
    } cases[] = {
        {"# end " + end, "the recording replays to the same end: 41 frames", 0},
        {"# end " + altered, "the recording does not replay to its end: health recorded 1, replayed " + health, 1},
        {"# end " + end.substr(0, 40) + " garbage", "the end line is damaged: ", 4},
        {"# end " + unscored, "the end line is damaged: it has no \"score\"", 4},
        {"# end " + end.substr(0, end.size() - 1) + ", \"luck\": 7}", "the end line is damaged: unknown field \"luck\"", 4},
        {"# end " + end.substr(0, end.size() - 1) + ", \"score\": 0}", "the end line is damaged: \"score\" given twice", 4},
        {"# not the end", "trimvald-replay: ", 2}};
    std::string path = ::testing::TempDir() + "replay_cli_check_" + std::to_string(getpid());
    for (const auto& recorded : cases) {
        std::ofstream(path) << script << recorded.line << "\n";
        int status = -1;
        std::string said = Output("'" + std::string(REPLAY_EXE) + "' --check '" + path + "' 2>&1", status);
        EXPECT_EQ(said.rfind(recorded.said, 0), 0u) << said;
        EXPECT_EQ(status, recorded.status) << said;
        EXPECT_EQ(said.find("usage"), std::string::npos) << "not a command-line mistake: " << said;
    }
    // A machine on which the game cannot make its window (no display, and SDL's offscreen video
    // without its EGL) is told apart from a recording that does not replay.
    std::ofstream(path) << script << cases[0].line << "\n";
    int status = -1;
    std::string said = Output("env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEO_EGL_DRIVER=/nonexistent/libEGL.so '" +
                              std::string(REPLAY_EXE) + "' --check '" + path + "' 2>&1", status);
    EXPECT_EQ(status, 5) << said;
    EXPECT_EQ(said.rfind("trimvald-replay: the game cannot start on this machine: the window cannot be made (SDL: ", 0), 0u)
        << said;
    std::remove(path.c_str());

    // A dump draws nothing by itself (a screenshot has every frame drawn), and the game's state
    // is the same as when every frame is drawn.
    std::string shot = path + ".png";
    EXPECT_EQ(Replay("--dump every --shot 41:" + shot + " -", script).lines, Replay("--dump every -", script).lines);
    std::remove(shot.c_str());

    // Cut at any byte, the recording plays up to the cut: its last line, cut, is left out (what is
    // left may read, as E for ENTER), and every step before it is the whole recording's own. It
    // can be checked only whole or short of its last line end.
    const std::string recording = "# Тримвальд 1.0.0: a session recorded on 2026-12-09\n" + script +
                                  "# end " + end + "\n";
    Script whole;
    std::string error;
    ASSERT_TRUE(ParseScript(recording, whole, error));
    for (size_t cut = 0; cut < recording.size(); ++cut) {
        const std::string text = recording.substr(0, cut);
        Script part;
        ASSERT_TRUE(ParseScript(text, part, error)) << cut << ": " << error;
        ASSERT_LE(part.steps.size(), whole.steps.size());
        for (size_t i = 0; i < part.steps.size(); ++i) {
            const ScriptStep &a = part.steps[i], &b = whole.steps[i];
            EXPECT_TRUE(a.keys == b.keys && a.mouseDX == b.mouseDX && a.mouseDY == b.mouseDY &&
                        a.frames == b.frames)
                << "cut at " << cut << ", step " << i;
        }
        EXPECT_TRUE(part.cutOffLine == 0 || text.back() != '\n') << cut;
        std::string endLine, why;
        std::vector<std::pair<std::string, std::string>> fields;
        EXPECT_EQ(RecordedEnd(text, endLine) && ReadEndFields(endLine, fields, why), cut + 1 == recording.size())
            << "cut at " << cut;
    }
    CliRun cut = Replay("--dump last -", recording.substr(0, recording.find(" mouse 3") + 3));
    EXPECT_EQ(cut.status, 0);
    ASSERT_EQ(cut.lines.size(), 4u);
    EXPECT_NE(std::find(cut.lines.begin(), cut.lines.end(),
                        "trimvald-replay: the recording was cut off at line 4; played up to it"),
              cut.lines.end());
    EXPECT_EQ(cut.lines.back(), R"({"exit": 0, "frames": 1})");
    EXPECT_EQ(Replay("-", script.substr(0, script.size() - 1)).lines.back(), R"({"exit": 0, "frames": 41})")
        << "a script's own last line, whole but for its line end, is played";
}

// The lines of a text, each with a prefix.
std::string Prefixed(const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    std::string result, line;
    while (std::getline(lines, line))
        result += prefix + line + "\n";
    return result;
}

// --help prints the usage to stdout and ends with 0; a refused command line prints why and the
// same usage to stderr and ends with 2. The file comment and the driver's page, docs/replay.md,
// show that very text.
TEST(ReplayCli, HelpAndRefusalsPrintTheOneUsageTheSourceAndItsPageShow)
{
    const std::string exe = std::string("'") + REPLAY_EXE + "'";
    int status = -1;
    const std::string usage = Output(exe + " --help 2>&1 </dev/null", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(usage.rfind("usage: trimvald-replay ", 0), 0u) << usage;
    for (const char* option : {"--dump", "--shot", "--timing ", "--timing-frames", "--help", "SCRIPT"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(Output(exe + " --help 2>/dev/null", status), usage) << "all of it on stdout";
    EXPECT_EQ(Output(exe + " -h 2>/dev/null", status), usage);
    EXPECT_EQ(Output(exe + " --version 2>/dev/null", status), "trimvald-replay " TRIMVALD_VERSION "\n");
    EXPECT_EQ(status, 0);

    EXPECT_EQ(Output(exe + " --bogus 2>&1 >/dev/null", status), "trimvald-replay: unknown option --bogus\n" + usage);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(Output(exe + " --bogus 2>/dev/null", status), "") << "nothing on stdout";

    const std::pair<const char*, const char*> places[] = {{"/docs/replay.md", "    "}, {"/programs/replay/main.cpp", "//   "}};
    for (const auto& shown : places) {
        std::ifstream file(std::string(TRIMVALD_SOURCE_DIR) + shown.first);
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_NE(text.str().find(Prefixed(usage, shown.second)), std::string::npos) << shown.first;
    }
}

TEST(ReplayCli, ShotSavesTheFrameAs800x600Png)
{
    std::string path = ::testing::TempDir() + "replay_cli_shot_" + std::to_string(getpid()) + ".png";
    std::remove(path.c_str());
    ASSERT_TRUE(RequireDrawing()) << "a black picture is what the no-op driver gives anyway";
    CliRun run = Replay("--shot 2:" + path + " -", "answer yes\nframes 3\n");
    ASSERT_EQ(run.status, 0);
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    EXPECT_EQ(image.width, 800u);
    EXPECT_EQ(image.height, 600u);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    std::remove(path.c_str());
    // The cleared screen is black.
    std::size_t middle = (300 * 800 + 400) * 3;
    EXPECT_EQ(pixels[middle], 0);
    EXPECT_EQ(pixels[middle + 1], 0);
    EXPECT_EQ(pixels[middle + 2], 0);
}

// With DejaVu alone installed (a minimal system, the archive's smallest dependency line), the HUD
// takes the narrow face the game ships, or, where the game's folder has none either, DejaVu
// condensed to its widths: its fields stand apart, the last within the screen. The bottom 60
// rows are read: health in red, then the spell's name, its charges and the score in blue, apart
// by more than a word space.
void ExpectHudInPlace(const std::string& folder)
{
    const std::string base = ::testing::TempDir() + "replay_cli_fonts_" + std::to_string(getpid());
    std::ofstream(base + ".conf") << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                     "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>"
                                  << base << ".cache</cachedir></fontconfig>\n";
    std::ofstream(base + ".replay") << "answer yes\nframes 1 1\nframes 1 ENTER\nframes 148\n";
    int status = -1;
    std::string said = Output("cd '" + folder + "' && FONTCONFIG_FILE='" + base + ".conf' '" + std::string(REPLAY_EXE) +
                              "' --shot 150:'" + base + ".png' '" + base + ".replay' 2>&1", status);
    ASSERT_EQ(status, 0) << said;
    Picture shot = ReadShot(base + ".png");
    for (const char* made : {".conf", ".replay", ".png"})
        std::remove((base + made).c_str());
    ASSERT_EQ(shot.width, 800);
    int lastRed = -1, groups = 0, lastBlue = -100, firstBlue = -1;
    for (int x = 0; x < shot.width; ++x) {
        bool red = false, blue = false;
        for (int y = shot.height - 60; y < shot.height; ++y) {
            const unsigned char* p = &shot.rgb[((std::size_t)y * shot.width + x) * 3];
            red = red || (p[0] > 150 && p[1] < 80 && p[2] < 80);
            blue = blue || (p[2] > 150 && p[0] < 80 && p[1] < 80);
        }
        if (red)
            lastRed = x;
        if (blue) {
            if (x - lastBlue > 30)
                ++groups;
            if (firstBlue < 0)
                firstBlue = x;
            lastBlue = x;
        }
    }
    EXPECT_GE(lastRed, 0) << "no health";
    EXPECT_LT(lastRed + 10, firstBlue) << "the health runs into the spell's name";
    EXPECT_EQ(groups, 3) << "the name, the charges and the score, apart";
    EXPECT_LT(lastBlue, shot.width - 5) << "the score is cut at the right edge";
}

TEST(ReplayCli, TheHudKeepsItsPlacesWithDejaVuAlone)
{
    ASSERT_TRUE(RequireDrawing());
    {
        SCOPED_TRACE("the face the game ships");
        ExpectHudInPlace(".");
    }
    // A folder with the game's textures and sounds and no Data/Fonts.
    const std::string bare = ::testing::TempDir() + "replay_cli_bare_" + std::to_string(getpid());
    const std::string here = TRIMVALD_BINARY_DIR;
    int status = -1;
    Output("mkdir -p '" + bare + "/Data' && ln -sfn '" + here + "/Data/Textures' '" + bare + "/Data/Textures' && ln -sfn '" +
               here + "/Data/Sounds' '" + bare + "/Data/Sounds'",
           status);
    ASSERT_EQ(status, 0);
    {
        SCOPED_TRACE("no narrow face at all: DejaVu condensed");
        ExpectHudInPlace(bare);
    }
    Output("rm -rf '" + bare + "'", status);
}

}  // namespace
