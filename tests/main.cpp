// The tests' process entry: the desktop host is the machine they fall back on between runs, as
// the game's own entry chooses it; most tests install the scripted host over it.
#include <gtest/gtest.h>

#include "platform/desktop/desktop_host.h"
#include "platform/host.h"

int main(int argc, char** argv)
{
    LayerSetDefaultHost(DesktopHost());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
