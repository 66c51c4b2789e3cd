#!/usr/bin/env python3
"""The replay driver's memory without any X server (SDL's offscreen driver).

Drawn: 250 frames with every frame drawn (--timing draws) must peak within 250 MB, since a
single-buffered surface whose frames are never finished keeps every frame's commands, about
1 MB a frame (over 300 MB by the end). Drawn by nothing: a dump of 20,000 frames, as checks and
dumps of recordings run, must not peak past twice a dump of its first 1,000, where the no-op
driver alone kept every vertex it was handed (26 KB a frame and more).

Usage: headless_memory.py REPLAY_DRIVER"""
import os
import subprocess
import sys
import tempfile

LIMIT_MB = 250

driver = os.path.abspath(sys.argv[1])
env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
env["SDL_AUDIODRIVER"] = "dummy"


def peak_mb(frames, *options):
    """A game played at the game's own 800x600, walking and casting, for this many frames:
    the driver's peak resident size."""
    with tempfile.NamedTemporaryFile("w", suffix=".replay") as script:
        script.write(f"answer yes\nframes 1 1\nframes 1 ENTER\nframes {frames - 2} W E mouse 8 0\n")
        script.flush()
        child = subprocess.Popen([driver, "--dump", "last", *options, script.name], env=env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(child.pid, 0)
        errors = child.stderr.read().decode(errors="replace")
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"the replay driver ended with {code}:\n{errors}")
    return usage.ru_maxrss / 1024


drawn = peak_mb(250, "--timing")
print(f"250 frames drawn headless: peak resident size {drawn:.0f} MB (limit {LIMIT_MB} MB)")
short, long = peak_mb(1000), peak_mb(20000)
print(f"drawn by nothing: 1,000 frames {short:.0f} MB, 20,000 frames {long:.0f} MB")
if drawn > LIMIT_MB:
    sys.exit(f"the replay driver grew to {drawn:.0f} MB")
if long > 2 * short:
    sys.exit(f"a dump grew from {short:.0f} MB to {long:.0f} MB over 20,000 frames")
