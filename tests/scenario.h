// Runs the game in-process through the replay driver and hands back its JSON lines.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

#include "app/dialog_texts.h"  // the game's texts, in Windows-1251: Cp1251ToUtf8 gives what the
                               // driver reports
#include "platform/host.h"
#include "render/sound_cues.h"  // the cue files the frames' sounds are compared with
#include "tools/replay/driver.h"
#include "tools/replay/process_state.h"

struct ScenarioResult {
    std::vector<nlohmann::json> lines;
    std::vector<nlohmann::json> messageBoxes() const;  // the "messageBox" objects, with "frame"
    std::vector<nlohmann::json> frames() const;        // the frame dumps
    nlohmann::json frame(int number) const;            // one frame dump (null if absent)
    int exitCode() const;
    int frameCount() const;
};

// One number field of a frame's dump. A frame the run never reached, a missing field or one that
// is not a number fails the test, saying which, and gives a NaN.
float Field(const ScenarioResult& run, int frame, const char* name);

// The number of the first frame from `from` on whose dump satisfies the test, or 0.
template <typename Test>
int FirstFrame(const ScenarioResult& run, int from, Test test)
{
    for (const auto& frame : run.frames())
        if (frame["frame"].get<int>() >= from && test(frame))
            return frame["frame"].get<int>();
    return 0;
}

// How many times a frame's dump lists the sound file.
int SoundCount(const nlohmann::json& frame, const char* sound);


// Runs a whole game from the script text, every frame dumped. `options` may add shots or
// timing; `beforeRun` may change the state the game starts from.
ScenarioResult RunScenario(const std::string& scriptText, ReplayOptions options = ReplayOptions(),
                           const std::function<void()>& beforeRun = nullptr);

// A screenshot read back: RGB rows, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

// Reads a PNG the replay driver saved; an unreadable file fails the test and gives no picture.
Picture ReadShot(const std::string& path);

// False, and the test failed, when it runs on Mesa's no-op driver (GALLIUM_NOOP), whose pictures
// come back black and whose feedback is empty: a test reading either checks this first, and its
// suite belongs in TRIMVALD_DRAWING_SUITES in tests/CMakeLists.txt.
bool RequireDrawing();

// A test with the game window opened as the game opens it (textures, scenery, font and render
// state, a current context), message boxes answered Yes; closed again afterwards.
class OpenGameWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
