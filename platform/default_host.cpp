// The machine a process has until it installs another. The layer reaches every host through
// the record it installs; only here is one of them chosen for it: a player's desktop.
#include "platform/host.h"

const LayerHost& LayerDefaultHost()
{
    return LayerDesktopHost();
}
