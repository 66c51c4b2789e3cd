// The settings file's reader. The file is the player's, written by hand: whatever it holds, the
// game starts. Each problem is told on a line of its own, naming the file and the line, and the
// setting it spoils keeps its default; the rest of the file still counts.
#include <algorithm>
#include <locale>
#include <sstream>
#include <utility>

#include "platform/controls/controls.h"
#include "platform/controls/key_names.h"

namespace {

enum Section { noSection, keysSection, mouseSection, controllerSection, unknownSection };

// A binding asked for by a line of the file: its action's controls (keys or controller
// buttons), the line, and whether it still stands.
struct Request {
    std::vector<int> controls;
    int line = 0;
    std::string text;
    bool stands = false;
};

struct Reader {
    std::string fileName;
    ControlsFileRead read;
    Request keys[controlActionCount];
    Request buttons[gamepadActionCount];
    std::vector<std::pair<int, std::string>> problems;

    void Problem(int line, const std::string& what)
    {
        problems.emplace_back(line, fileName + ":" + std::to_string(line) + ": " + what);
    }
};

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\f\v";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// A number in the file's own form (a point before the fraction, whatever the machine's
// locale), within [low, high].
bool ReadNumber(Reader& reader, int line, const std::string& name, const std::string& value,
                double low, double high, double& setting)
{
    std::istringstream stream(value);
    stream.imbue(std::locale::classic());
    double number = 0;
    stream >> number;
    std::string why;
    if (!stream || !(stream >> std::ws).eof())
        why = "not a number";
    else if (!(number >= low && number <= high))
        why = "out of range (" + NumberText(low) + " to " + NumberText(high) + ")";
    if (why.empty()) {
        setting = number;
        return true;
    }
    reader.Problem(line, name + " = " + value + ": " + why + "; keeps " + NumberText(setting));
    return false;
}

bool ReadSwitch(Reader& reader, int line, const std::string& name, const std::string& value,
                bool& setting)
{
    for (const char* yes : {"yes", "on", "true", "1"})
        if (SameName(value.c_str(), yes))
            return setting = true;
    for (const char* no : {"no", "off", "false", "0"})
        if (SameName(value.c_str(), no)) {
            setting = false;
            return true;
        }
    reader.Problem(line, name + " = " + value + ": not yes or no; keeps " +
                             (setting ? "yes" : "no"));
    return false;
}

// A binding's names as controls (named, each once), or a problem told and false.
bool ReadBinding(Reader& reader, int line, const std::string& name, const std::string& value,
                 bool controller, const std::string& keeps, Request& request)
{
    std::vector<std::string> words = Words(value);
    std::vector<int> controls;
    std::string why;
    if (words.empty())
        why = "no key given";
    for (const std::string& word : words) {
        int control = controller ? GamepadButtonNamed(word.c_str()) : ControlNamed(word.c_str());
        // The controller's actions may be left without a button.
        if (controller && words.size() == 1 && SameName(word.c_str(), "none"))
            break;
        if (controller ? control < 0 : control == 0) {
            why = (controller ? "no controller button called "
                              : "no key or mouse button called ") + word;
            break;
        }
        bool twice = false;
        for (int other : controls)
            twice = twice || other == control;
        if (!twice)
            controls.push_back(control);
    }
    if (!why.empty()) {
        reader.Problem(line, name + " = " + value + ": " + why + "; keeps " + keeps);
        return false;
    }
    request.controls = controls;
    request.line = line;
    request.text = name + " = " + value;
    request.stands = true;
    return true;
}

void ReadKeys(Reader& reader, int line, const std::string& name, const std::string& value)
{
    ControlSettings& settings = reader.read.settings;
    if (SameName(name.c_str(), "keys")) {
        if (SameName(value.c_str(), "position") || SameName(value.c_str(), "layout"))
            settings.keysByLayout = SameName(value.c_str(), "layout");
        else
            reader.Problem(line, name + " = " + value + ": not position or layout; keeps " +
                                     (settings.keysByLayout ? "layout" : "position"));
        return;
    }
    for (int action = 0; action < controlActionCount; ++action)
        if (SameName(name.c_str(), controlActionNames[action])) {
            ReadBinding(reader, line, name, value, false, KeysText(settings.bindings[action]),
                        reader.keys[action]);
            return;
        }
    reader.Problem(line, "no setting called " + name + " in [keys]");
}

void ReadMouse(Reader& reader, int line, const std::string& name, const std::string& value)
{
    ControlSettings& settings = reader.read.settings;
    if (SameName(name.c_str(), "sensitivity"))
        ReadNumber(reader, line, name, value, 0.05, 20.0, settings.mouseSensitivity);
    else if (SameName(name.c_str(), "invert"))
        ReadSwitch(reader, line, name, value, settings.mouseInvert);
    else
        reader.Problem(line, "no setting called " + name + " in [mouse]");
}

void ReadController(Reader& reader, int line, const std::string& name, const std::string& value)
{
    GamepadSettings& pad = reader.read.settings.controller;
    if (SameName(name.c_str(), "look_speed"))
        ReadNumber(reader, line, name, value, 10.0, 1000.0, pad.lookSpeed);
    else if (SameName(name.c_str(), "walk_dead_zone"))
        ReadNumber(reader, line, name, value, 0.0, 0.9, pad.walkDeadZone);
    else if (SameName(name.c_str(), "look_dead_zone"))
        ReadNumber(reader, line, name, value, 0.0, 0.9, pad.lookDeadZone);
    else if (SameName(name.c_str(), "invert"))
        ReadSwitch(reader, line, name, value, pad.invertLook);
    else {
        for (int action = 0; action < gamepadActionCount; ++action)
            if (SameName(name.c_str(), gamepadActionNames[action])) {
                ReadBinding(reader, line, name, value, true, ButtonsText(pad.buttons[action]),
                            reader.buttons[action]);
                return;
            }
        reader.Problem(line, "no setting called " + name + " in [controller]");
    }
}

// Two actions cannot share a key: a binding to a control another action holds (its default, or
// a binding from an earlier line) is refused and its action keeps its defaults; refusals can
// free or take controls, so the bindings are looked at again until none changes.
template <int count>
void Resolve(Reader& reader, Request (&requests)[count], const std::vector<int> (&defaults)[count],
             const char* const* names, std::string (*text)(const std::vector<int>&))
{
    for (bool changed = true; changed;) {
        changed = false;
        for (int action = 0; action < count && !changed; ++action) {
            Request& request = requests[action];
            if (!request.stands)
                continue;
            for (int other = 0; other < count && !changed; ++other) {
                if (other == action)
                    continue;
                const Request& theirs = requests[other];
                bool bound = theirs.stands;
                // Of two lines that want one control, the earlier has it.
                if (bound && theirs.line > request.line)
                    continue;
                for (int control : request.controls) {
                    bool taken = false;
                    for (int held : bound ? theirs.controls : defaults[other])
                        taken = taken || held == control;
                    if (!taken)
                        continue;
                    reader.Problem(request.line,
                                   request.text + ": " + text({control}) + " is already " +
                                       names[other] + "'s; " + names[action] + " keeps " +
                                       text(defaults[action]));
                    request.stands = false;
                    changed = true;
                    break;
                }
            }
        }
    }
}

std::vector<int> ButtonList(uint32_t buttons)
{
    std::vector<int> list;
    for (int button = 0; button < gamepadButtonCount; ++button)
        if (buttons & (1u << button))
            list.push_back(button);
    return list;
}

std::string ButtonListText(const std::vector<int>& buttons)
{
    uint32_t bits = 0;
    for (int button : buttons)
        bits |= 1u << button;
    return ButtonsText(bits);
}

}  // namespace

ControlsFileRead ControlsReadText(const std::string& text, const std::string& fileName)
{
    Reader reader;
    reader.fileName = fileName;
    reader.read.settings = ControlsDefaults();
    std::istringstream lines(text);
    Section section = noSection;
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        // A byte order mark a Windows editor may leave at the start.
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        std::size_t comment = line.find_first_of(";#");
        if (comment != std::string::npos)
            line.erase(comment);
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            std::string name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : "";
            section = SameName(name.c_str(), "keys")         ? keysSection
                      : SameName(name.c_str(), "mouse")      ? mouseSection
                      : SameName(name.c_str(), "controller") ? controllerSection
                                                             : unknownSection;
            if (section == unknownSection)
                reader.Problem(number, "no section called " + line +
                                           " (there are [keys], [mouse] and [controller]); its "
                                           "settings are left out");
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)).empty()) {
            reader.Problem(number, "not a setting: " + line);
            continue;
        }
        std::string name = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
        switch (section) {
        case noSection:
            reader.Problem(number, name + " stands before any section ([keys], [mouse] or "
                                          "[controller]); it is left out");
            break;
        case keysSection:
            ReadKeys(reader, number, name, value);
            break;
        case mouseSection:
            ReadMouse(reader, number, name, value);
            break;
        case controllerSection:
            ReadController(reader, number, name, value);
            break;
        case unknownSection:
            break;
        }
    }

    ControlSettings& settings = reader.read.settings;
    const ControlSettings defaults = ControlsDefaults();
    Resolve(reader, reader.keys, defaults.bindings, controlActionNames, KeysText);
    for (int action = 0; action < controlActionCount; ++action)
        if (reader.keys[action].stands)
            settings.bindings[action] = reader.keys[action].controls;
    std::vector<int> buttonDefaults[gamepadActionCount];
    for (int action = 0; action < gamepadActionCount; ++action)
        buttonDefaults[action] = ButtonList(defaults.controller.buttons[action]);
    Resolve(reader, reader.buttons, buttonDefaults, gamepadActionNames, ButtonListText);
    for (int action = 0; action < gamepadActionCount; ++action)
        if (reader.buttons[action].stands) {
            settings.controller.buttons[action] = 0;
            for (int button : reader.buttons[action].controls)
                settings.controller.buttons[action] |= 1u << button;
        }
    // The problems in the order of their lines.
    typedef std::pair<int, std::string> LineProblem;
    std::stable_sort(reader.problems.begin(), reader.problems.end(),
                     [](const LineProblem& a, const LineProblem& b) { return a.first < b.first; });
    for (const auto& problem : reader.problems)
        reader.read.problems.push_back(problem.second);
    return reader.read;
}
