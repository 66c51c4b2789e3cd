// The tests' process entry: the desktop host is the machine they fall back on between runs, as
// the game's own entry chooses it; most tests install the scripted host over it, drawn with
// SDL's video as in the replay driver, whose PNG screenshots they read.
#include <gtest/gtest.h>

#include "platform/desktop/desktop_host.h"
#include "platform/host.h"
#include "platform/scripted/scripted_host.h"
#include "tools/replay/driver.h"
#include "tools/replay/png_shot.h"

int main(int argc, char** argv)
{
    LayerSetDefaultHost(DesktopHost());
    ScriptedHostShowOn(ScriptedSdlMachine());
    ReplayTakeShotsWith(SavePngShot);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
