// The player's settings file on Linux: $XDG_CONFIG_HOME/trimvald/settings.ini, else
// ~/.config/trimvald/settings.ini. The game reads it once at start and never writes it; only
// `trimvald --settings` writes the commented defaults, and only where there is no file.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/controls/controls.h"
#include "platform/desktop/desktop.h"

// The XDG base directories allow only absolute paths; a relative one is passed over.
static std::string ConfigFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return config;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return std::string(home && home[0] ? home : ".") + "/.config";
}

std::string DesktopSettingsPath()
{
    return ConfigFolder() + "/trimvald/settings.ini";
}

// The whole file, or false when it cannot be read (errno tells why).
static bool ReadFile(const std::string& path, std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, read);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        errno = EIO;
    return !failed;
}

std::vector<std::string> DesktopLoadSettings()
{
    std::string path = DesktopSettingsPath(), text;
    if (!ReadFile(path, text)) {
        ControlsInstall(ControlsDefaults());
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return {path + ": " + std::strerror(errno) + "; the defaults are played"};
    }
    ControlsFileRead read = ControlsReadText(text, path);
    ControlsInstall(read.settings);
    return read.problems;
}

std::string DesktopSettingsInForce()
{
    return ControlsSettingsText(ControlsInstalled());
}

static bool MakeFolder(const std::string& folder)
{
    return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

bool DesktopWriteDefaultSettings(bool& written, std::string& error)
{
    written = false;
    std::string path = DesktopSettingsPath();
    struct stat status;
    if (stat(path.c_str(), &status) == 0)
        return true;
    std::string folder = path.substr(0, path.rfind('/'));
    std::string parent = folder.substr(0, folder.rfind('/'));
    // O_EXCL: a file made meanwhile is never overwritten.
    FILE* file = nullptr;
    if (MakeFolder(parent) && MakeFolder(folder))
        file = std::fopen(path.c_str(), "wx");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::string text = ControlsDefaultFileText();
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        error = path + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    written = true;
    return true;
}
