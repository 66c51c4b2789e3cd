// Start-up and shut-down: the prompt, every failure of opening the window with its message and
// teardown, the windowed fallback, and the teardown's own messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <unistd.h>

#include "app/game_main.h"
#include "app/game_window.h"
#include "platform/layer/charset.h"
#include "platform/scripted/scripted_host.h"
#include "tests/scenario.h"

namespace {

const unsigned okExclamation = MB_OK | MB_ICONEXCLAMATION;
const unsigned okInformation = MB_OK | MB_ICONINFORMATION;

TEST(Startup, NoAtThePromptEndsAtOnceWithoutAWindow)
{
    ScenarioResult run = RunScenario("answer no\nframes 5\n");
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], Cp1251ToUtf8(startPrompt));
    EXPECT_EQ(boxes[0]["caption"], Cp1251ToUtf8(startCaption));
    EXPECT_EQ(boxes[0]["style"], MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes[0]["answer"], "no");
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(run.frameCount(), 0);
    EXPECT_FALSE(LayerQueryWindow().exists);
}

TEST(Startup, YesAtThePromptRunsFramesAndEndsCleanly)
{
    ScenarioResult run = RunScenario("answer yes\nframes 3\n");
    EXPECT_EQ(run.messageBoxes().size(), 1u);
    EXPECT_EQ(run.frameCount(), 3);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_TRUE(run.frame(1)["drawn"].get<bool>());
    // After the run the display mode is restored, the cursor shown and the window gone.
    LayerWindowInfo after = LayerQueryWindow();
    EXPECT_FALSE(after.exists);
    EXPECT_FALSE(after.displayModeChanged);
    EXPECT_TRUE(after.cursorVisible);
}

struct OpeningFailure {
    const char* function;
    const char* message;
    const char* teardownMessage;  // what the teardown itself reports, or nullptr
};

void PrintTo(const OpeningFailure& failure, std::ostream* out)
{
    *out << failure.function;
}

class OpeningFails : public ::testing::TestWithParam<OpeningFailure> {};

// Each failing step tears down what was built first, then shows its own message; the program
// ends with 0 and runs no frame.
TEST_P(OpeningFails, TearsDownThenReportsAndEndsWithZero)
{
    const OpeningFailure& failure = GetParam();
    ScenarioResult run = RunScenario(std::string("answer yes\nfail ") + failure.function + "\nframes 5\n");
    auto boxes = run.messageBoxes();
    std::size_t expected = failure.teardownMessage ? 3 : 2;
    ASSERT_EQ(boxes.size(), expected);
    if (failure.teardownMessage) {
        EXPECT_EQ(boxes[1]["text"], Cp1251ToUtf8(failure.teardownMessage));
        EXPECT_EQ(boxes[1]["caption"], Cp1251ToUtf8(shutdownCaption));
        EXPECT_EQ(boxes[1]["style"], okInformation);
    }
    EXPECT_EQ(boxes.back()["text"], Cp1251ToUtf8(failure.message));
    EXPECT_EQ(boxes.back()["caption"], Cp1251ToUtf8(errorCaption));
    EXPECT_EQ(boxes.back()["style"], okExclamation);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(run.frameCount(), 0);
    LayerWindowInfo after = LayerQueryWindow();
    EXPECT_FALSE(after.exists);
    EXPECT_FALSE(after.displayModeChanged);
    EXPECT_TRUE(after.cursorVisible);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, OpeningFails,
    ::testing::Values(
        OpeningFailure{"CreateWindowExA", windowNotCreated, nullptr},
        OpeningFailure{"GetDC", deviceContextNotMade, nullptr},
        OpeningFailure{"ChoosePixelFormat", pixelFormatNotFound, nullptr},
        OpeningFailure{"SetPixelFormat", pixelFormatNotSet, nullptr},
        OpeningFailure{"wglCreateContext", renderingContextNotMade, nullptr},
        // Every call fails, so the teardown cannot release the context either.
        OpeningFailure{"wglMakeCurrent", renderingContextNotActivated, contextsNotReleased}),
    [](const ::testing::TestParamInfo<OpeningFailure>& info) { return std::string(info.param.function); });

TEST(Startup, ClassRegistrationFailureReportsWithoutTeardown)
{
    ScenarioResult run = RunScenario("answer yes\nfail RegisterClassA\nframes 5\n");
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1]["text"], Cp1251ToUtf8(classNotRegistered));
    EXPECT_EQ(boxes[1]["caption"], Cp1251ToUtf8(errorCaption));
    EXPECT_EQ(boxes[1]["style"], okExclamation);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(run.frameCount(), 0);
}

// The message of a failed start-up is shown once the display mode is restored and the window is
// gone.
TEST(Startup, FailureMessageComesAfterTheDisplayIsRestored)
{
    static LayerWindowInfo atMessage;
    ResetProcessState();
    ScriptedHostSetup hooks;
    hooks.fails = [](const char* name) { return std::string(name) == "GetDC"; };
    hooks.messageBox = [](const std::string& text, const std::string&, UINT) {
        if (text != Cp1251ToUtf8(startPrompt))
            atMessage = LayerQueryWindow();
        return IDYES;
    };
    InstallScriptedHost(hooks);
    EXPECT_EQ(GameMain(NULL, NULL, NULL, SW_SHOW), 0);
    LayerInstallHost(nullptr);
    EXPECT_FALSE(atMessage.exists);
    EXPECT_FALSE(atMessage.displayModeChanged);
    EXPECT_TRUE(atMessage.cursorVisible);
}

TEST(Startup, WindowedFallbackOnYesGivesAFramed800x600WindowAtTheOrigin)
{
    ScenarioResult run = RunScenario("answer yes\nanswer yes\ndisplay fail\nframes 2\n");
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1]["text"],
              Cp1251ToUtf8(windowedOffer));
    EXPECT_EQ(boxes[1]["caption"], Cp1251ToUtf8(windowedOfferCaption));
    EXPECT_EQ(boxes[1]["style"], MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(run.frameCount(), 2);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(fullscreen, 0);
}

TEST(Startup, WindowedWindowGeometryAndCursor)
{
    // Open the window directly to look at it while it stands.
    ResetProcessState();
    ScriptedHostSetup hooks;
    hooks.displayModeOk = false;
    hooks.messageBox = [](const std::string&, const std::string&, UINT) { return IDYES; };
    InstallScriptedHost(hooks);
    ASSERT_EQ(OpenGameWindow(gameWindowTitle, 800, 600, 16, 1), 1);
    LayerWindowInfo info = LayerQueryWindow();
    EXPECT_TRUE(info.exists);
    EXPECT_TRUE(info.shown);
    EXPECT_FALSE(info.fullscreen);
    EXPECT_EQ(info.clientWidth, 800);
    EXPECT_EQ(info.clientHeight, 600);
    EXPECT_EQ(info.outerX, 0);
    EXPECT_EQ(info.outerY, 0);
    EXPECT_EQ(info.style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(info.cursorVisible);
    CloseGameWindow();
    LayerInstallHost(nullptr);

    // Fullscreen: a popup of the mode's size, the cursor hidden until the teardown.
    ResetProcessState();
    hooks.displayModeOk = true;
    InstallScriptedHost(hooks);
    ASSERT_EQ(OpenGameWindow(gameWindowTitle, 800, 600, 16, 1), 1);
    info = LayerQueryWindow();
    EXPECT_TRUE(info.fullscreen);
    EXPECT_EQ(info.style & WS_POPUP, WS_POPUP);
    EXPECT_EQ(info.clientWidth, 800);
    EXPECT_EQ(info.clientHeight, 600);
    EXPECT_FALSE(info.cursorVisible);
    EXPECT_TRUE(info.displayModeChanged);
    CloseGameWindow();
    info = LayerQueryWindow();
    EXPECT_TRUE(info.cursorVisible);
    EXPECT_FALSE(info.displayModeChanged);
    LayerInstallHost(nullptr);
}

TEST(Startup, NoToTheWindowedFallbackEndsTheProgram)
{
    ScenarioResult run = RunScenario("answer yes\nanswer no\ndisplay fail\nframes 2\n");
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1]["answer"], "no");
    EXPECT_EQ(boxes[2]["text"], Cp1251ToUtf8(quitNotice));
    EXPECT_EQ(boxes[2]["caption"], Cp1251ToUtf8(errorCaption));
    EXPECT_EQ(boxes[2]["style"], MB_OK | MB_ICONSTOP);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(run.frameCount(), 0);
}

TEST(Teardown, EachFailureIsReportedInOrderAndNoneStopsTheRest)
{
    ScenarioResult run = RunScenario(
        "answer yes\nfail wglDeleteContext\nfail ReleaseDC\nfail DestroyWindow\nfail UnregisterClassA\n"
        "frames 2\n");
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    const char* expected[] = {renderingContextNotReleased, deviceContextNotReleased, windowNotDestroyed,
                              classNotUnregistered};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i + 1]["text"], Cp1251ToUtf8(expected[i]));
        EXPECT_EQ(boxes[i + 1]["caption"], Cp1251ToUtf8(shutdownCaption));
        EXPECT_EQ(boxes[i + 1]["style"], okInformation);
        EXPECT_EQ(boxes[i + 1]["frame"], 2);
    }
    EXPECT_EQ(run.exitCode(), 0);
    // The handles whose release failed are dropped all the same.
    EXPECT_EQ(windowDC, nullptr);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(appInstance, nullptr);
}

}  // namespace

namespace {

// Runs the game from a folder holding a copy of the build's Data/ with one texture file
// removed or emptied, or put in its place by a shell command ending in the file's path.
ScenarioResult RunWithDamagedTexture(const char* file, bool empty, const char* replace = nullptr)
{
    char folder[] = "/tmp/trimvald-data-XXXXXX";
    if (!mkdtemp(folder)) {
        ADD_FAILURE() << "no temporary folder";
        return ScenarioResult();
    }
    std::string root = folder;
    std::string copy = "cp -r Data '" + root + "/' && ";
    std::string path = "'" + root + "/Data/Textures/" + file + "'";
    if (replace)
        copy += "rm " + path + " && " + replace + " " + path;
    else
        copy += empty ? ": > " + path : "rm " + path;
    if (std::system(copy.c_str()) != 0) {
        ADD_FAILURE() << "cannot prepare " << root;
        return ScenarioResult();
    }
    char previous[4096];
    if (!getcwd(previous, sizeof previous) || chdir(folder) != 0)
        return ScenarioResult();
    ScenarioResult run = RunScenario("answer yes\nframes 5\n");
    if (chdir(previous) != 0)
        ADD_FAILURE() << "cannot return to " << previous;
    EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
    return run;
}

TEST(Startup, AMissingTextureEndsStartUpQuietlyWithTheGamesOwnMessage)
{
    ScenarioResult run = RunWithDamagedTexture("1F.bmp", false);
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u) << "no loader message for a missing file";
    EXPECT_EQ(boxes[1]["text"], Cp1251ToUtf8(initialisationFailed));
    EXPECT_EQ(boxes[1]["caption"], Cp1251ToUtf8(errorCaption));
    EXPECT_EQ(boxes[1]["style"], MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(run.frameCount(), 0);
    LayerWindowInfo after = LayerQueryWindow();
    EXPECT_FALSE(after.exists);
    EXPECT_FALSE(after.displayModeChanged);
}

void ExpectLoadersMessageFirst(const ScenarioResult& run, const char* what)
{
    auto boxes = run.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u) << what;
    EXPECT_EQ(boxes[1]["text"], "Failed to open DIB file Data/Textures/1D.bmp.\n") << what;
    EXPECT_EQ(boxes[1]["caption"], "Error");
    EXPECT_EQ(boxes[1]["style"], MB_OK);
    EXPECT_EQ(boxes[2]["text"], Cp1251ToUtf8(initialisationFailed)) << what;
    EXPECT_EQ(run.exitCode(), 0) << what;
}

TEST(Startup, AnEmptyTextureShowsTheLoadersMessageFirst)
{
    ExpectLoadersMessageFirst(RunWithDamagedTexture("1D.bmp", true), "an empty file");
}

// A named pipe would block any open for ever (the tests' 60 s limit catches that); a folder
// or a device is no bitmap file either. Each is refused as a file that cannot be opened.
TEST(Startup, SpecialFilesInATexturesPlaceAreRefusedWithoutBlocking)
{
    ExpectLoadersMessageFirst(RunWithDamagedTexture("1D.bmp", false, "mkfifo"), "a named pipe");
    ExpectLoadersMessageFirst(RunWithDamagedTexture("1D.bmp", false, "mkdir"), "a folder");
    ExpectLoadersMessageFirst(RunWithDamagedTexture("1D.bmp", false, "ln -s /dev/zero"), "a device");
}

}  // namespace
