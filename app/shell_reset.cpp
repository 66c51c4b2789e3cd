#include "app/shell_reset.h"

#include "app/shell_state.h"

ShellState shell;

void ResetShell()
{
    shell = ShellState();
}
