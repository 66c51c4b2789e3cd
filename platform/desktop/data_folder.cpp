// Where the Linux game finds its Data/: a player may start it from its own folder, from the
// unpacked archive's bin/, from a menu (any current folder) or from the build tree. The
// current folder wins when it holds Data/, then the executable's folder, then the installed
// layouts' ../share/trimvald (from bin/) and ../share/games/trimvald (Debian's, from games/)
// beside it; the game then runs in that folder, as it loads its files relative to the current
// one.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/desktop/desktop.h"

static bool HoldsData(const std::string& folder)
{
    struct stat status;
    return stat((folder + "/Data").c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string DesktopExecutablePath(const char* argv0)
{
    char resolved[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length > 0)
        return std::string(resolved, (size_t)length);
    return argv0 ? argv0 : "";
}

std::string DesktopDataFolder(const std::string& executable)
{
    if (HoldsData("."))
        return ".";
    size_t slash = executable.rfind('/');
    if (slash == std::string::npos)
        return ".";
    std::string own = executable.substr(0, slash == 0 ? 1 : slash);
    for (const std::string& folder :
         {own, own + "/../share/trimvald", own + "/../share/games/trimvald"})
        if (HoldsData(folder))
            return folder;
    return ".";
}
