#include "tools/replay/process_state.h"

#include "app/shell_reset.h"
#include "game/game_reset.h"
#include "platform/host.h"
#include "render/render_reset.h"

void ResetProcessState()
{
    ResetGame();
    ResetShell();
    ResetRenderNames();
    LayerReset();
}
