#include "programs/game/command_line.h"

const char gameUsageText[] = "usage: trimvald [--record FILE]\n"
                             "       trimvald --settings | --help | --version\n"
                             "  --record FILE   the session written to FILE as a replay script\n"
                             "  --settings      the settings file's path and the settings in force,\n"
                             "                  and a commented file written where there is none\n"
                             "  --help, -h      this text, and nothing played\n"
                             "  --version       the game's version, and nothing played\n";

const char gameVersionText[] = "trimvald " TRIMVALD_VERSION "\n";

bool ParseGameCommandLine(const std::vector<std::string>& arguments, GameRequest& request,
                          std::string& recordPath, std::string& why)
{
    request = GameRequest::Play;
    for (const std::string& arg : arguments)
        if (arg == "--help" || arg == "-h")
            request = GameRequest::Help;
        else if (arg == "--version" && request != GameRequest::Help)
            request = GameRequest::Version;
        else if (arg == "--settings" && request == GameRequest::Play)
            request = GameRequest::Settings;
    if (request != GameRequest::Play)
        return true;
    const std::string option = "--record";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == option && i + 1 < arguments.size() && !arguments[i + 1].empty() &&
            recordPath.empty()) {
            recordPath = arguments[++i];
        } else if (arg.compare(0, option.size() + 1, option + "=") == 0 &&
                   arg.size() > option.size() + 1 && recordPath.empty()) {
            recordPath = arg.substr(option.size() + 1);
        } else {
            bool recordOption = arg == option || arg.compare(0, option.size() + 1, option + "=") == 0;
            why = !recordOption           ? "unknown argument " + arg
                  : !recordPath.empty()   ? "only one --record"
                                          : "--record needs a file";
            return false;
        }
    }
    return true;
}
