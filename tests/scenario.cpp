#include "tests/scenario.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>

#include "app/dialog_texts.h"
#include "app/game_window.h"
#include "game/game_state.h"
#include "platform/scripted/scripted_host.h"

std::vector<nlohmann::json> ScenarioResult::messageBoxes() const
{
    std::vector<nlohmann::json> boxes;
    for (const auto& line : lines)
        if (line.contains("messageBox")) {
            nlohmann::json box = line["messageBox"];
            box["frame"] = line["frame"];
            boxes.push_back(box);
        }
    return boxes;
}

std::vector<nlohmann::json> ScenarioResult::frames() const
{
    std::vector<nlohmann::json> dumps;
    for (const auto& line : lines)
        if (line.contains("frame") && line.contains("drawn"))
            dumps.push_back(line);
    return dumps;
}

float Field(const ScenarioResult& run, int frame, const char* name)
{
    // A failed read is the test's failure, told in its terms; the NaN fails any comparison made
    // with it, and the test goes on to its other checks.
    const float none = std::numeric_limits<float>::quiet_NaN();
    const nlohmann::json dump = run.frame(frame);
    if (dump.is_null()) {
        int last = run.frameCount();
        if (last < 0)  // no exit line: the last frame dumped
            for (const auto& line : run.lines)
                if (line.contains("drawn"))
                    last = line["frame"].get<int>();
        ADD_FAILURE() << "no frame " << frame << " to read " << name << " from: the run ended at frame "
                      << last;
        return none;
    }
    const auto field = dump.find(name);
    if (field == dump.end()) {
        ADD_FAILURE() << "frame " << frame << " has no field " << name;
        return none;
    }
    if (!field->is_number()) {
        ADD_FAILURE() << "frame " << frame << ": " << name << " is not a number but " << field->dump();
        return none;
    }
    return field->get<float>();
}

int SoundCount(const nlohmann::json& frame, const char* sound)
{
    int count = 0;
    for (const auto& played : frame["sounds"])
        count += played == sound;
    return count;
}

nlohmann::json ScenarioResult::frame(int number) const
{
    // Frame dumps come in order, one per frame from 1: look where it should stand first.
    if (number >= 1) {
        for (std::size_t i = (std::size_t)number - 1; i < lines.size() && i <= (std::size_t)number + 64; ++i) {
            const nlohmann::json& line = lines[i];
            if (line.contains("drawn") && line["frame"] == number)
                return line;
        }
    }
    for (const auto& line : lines)
        if (line.contains("drawn") && line["frame"] == number)
            return line;
    return nullptr;
}

int ScenarioResult::exitCode() const
{
    return lines.empty() || !lines.back().contains("exit") ? -1 : lines.back()["exit"].get<int>();
}

int ScenarioResult::frameCount() const
{
    return lines.empty() || !lines.back().contains("frames") ? -1 : lines.back()["frames"].get<int>();
}

ScenarioResult RunScenario(const std::string& scriptText, ReplayOptions options,
                           const std::function<void()>& beforeRun)
{
    ScenarioResult result;
    Script script;
    std::string error;
    if (!ParseScript(scriptText, script, error)) {
        ADD_FAILURE() << error;
        return result;
    }
    if (options.dump == DumpMode::None)
        options.dump = DumpMode::Every;
    options.beforeRun = beforeRun;

    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    RunReplay(script, options, out);
    std::fclose(out);
    std::istringstream text(std::string(buffer, size));
    std::free(buffer);
    std::string line;
    while (std::getline(text, line))
        result.lines.push_back(nlohmann::json::parse(line));
    return result;
}

void OpenGameWindowTest::SetUp()
{
    ResetProcessState();
    ScriptedHostSetup hooks;
    hooks.messageBox = [](const std::string&, const std::string&, UINT) { return IDYES; };
    InstallScriptedHost(hooks);
    ASSERT_EQ(OpenGameWindow(gameWindowTitle, 800, 600, 16, 1), 1);
}

void OpenGameWindowTest::TearDown()
{
    CloseGameWindow();
    LayerInstallHost(nullptr);
    ResetProcessState();
}

bool RequireDrawing()
{
    // Mesa reads the variable as a boolean: 1, y, yes or true, in any case, switch it on.
    const char* noop = std::getenv("GALLIUM_NOOP");
    std::string value = noop ? noop : "";
    for (char& c : value)
        c = (char)std::tolower((unsigned char)c);
    if (value != "1" && value != "y" && value != "yes" && value != "true")
        return true;
    ADD_FAILURE() << "this test reads back what OpenGL drew, but runs on the no-op driver "
                     "(GALLIUM_NOOP), which draws nothing: name its suite in "
                     "TRIMVALD_DRAWING_SUITES in tests/CMakeLists.txt";
    return false;
}

Picture ReadShot(const std::string& path)
{
    Picture picture;
    if (!RequireDrawing())
        return picture;
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << "no shot " << path << ": " << image.message;
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = (int)image.width;
    picture.height = (int)image.height;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
    return picture;
}
