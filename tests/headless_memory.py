#!/usr/bin/env python3
"""Plays 250 frames through the replay driver without any X server (SDL's offscreen driver)
and fails when its peak resident size passes 250 MB: a single-buffered surface whose frames are never
finished keeps every frame's commands, about 1 MB a frame (over 300 MB by the end).

Usage: headless_memory.py REPLAY_DRIVER"""
import os
import subprocess
import sys
import tempfile

FRAMES = 250
LIMIT_MB = 250

driver = os.path.abspath(sys.argv[1])
env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
env["SDL_AUDIODRIVER"] = "dummy"
with tempfile.NamedTemporaryFile("w", suffix=".replay") as script:
    # A game played at the game's own 800x600, walking and casting: a frame's queued commands
    # then weigh about 2 MB.
    script.write(f"answer yes\nframes 1 1\nframes 1 ENTER\nframes {FRAMES - 2} W E mouse 8 0\n")
    script.flush()
    child = subprocess.Popen([driver, "--dump", "last", script.name], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(child.pid, 0)
    errors = child.stderr.read().decode(errors="replace")
code = os.waitstatus_to_exitcode(status)
peak_mb = usage.ru_maxrss / 1024
print(f"{FRAMES} frames headless: peak resident size {peak_mb:.0f} MB (limit {LIMIT_MB} MB)")
if code != 0:
    sys.exit(f"the replay driver ended with {code}:\n{errors}")
if peak_mb > LIMIT_MB:
    sys.exit(f"the replay driver grew to {peak_mb:.0f} MB")
