#!/usr/bin/env python3
"""The real game's frame pacing in a real window: a game started at level 1 and played for a
few seconds in an 800x600 window on a private Xvfb (640x480, so the game asks to play in a
window), with Mesa's no-op driver (what the game itself costs) and with llvmpipe. The player
walks back while casting all the time, which keeps a level-1 game going for about 13 s (each
enemy that comes near is killed), with a ball in flight, blasts and the enemy's lightning on
screen. Reports, for the frames of the measured seconds alone, the processor time the game took
per second (100% = one core) and the gaps between its frames (median, p99, max), from the swap
counter's time and processor time at every swap. The session is recorded, and the replay
driver proves that a game was running in every measured frame. Several runs of each; their
medians are printed.

Usage: pacing_bench.py BUILD_DIR [--runs N] [--seconds S]
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
import harness  # noqa: E402
from harness import Failure, expect  # noqa: E402

# The title panel in place before the level is chosen, and its slide away after Enter.
TITLE_SECONDS = 1.0
SLIDE_SECONDS = 1.5


def frames_in_play(replay, recording, first, last):
    """Whether a game ran in every frame from `first` to `last` of the recording."""
    dump = subprocess.run([replay, "--dump", "every", recording], capture_output=True, text=True,
                          timeout=120)
    expect(dump.returncode == 0, f"the recording does not replay: {dump.stderr.strip()}")
    running = {}
    for line in dump.stdout.splitlines():
        frame = json.loads(line)
        if "gameRunning" in frame:
            running[frame["frame"]] = frame["gameRunning"]
    return all(running.get(n) == 1 for n in range(first, last + 1))


def one_run(display, build, workdir, name, llvmpipe, seconds):
    times = os.path.join(workdir, name + ".times")
    recording = os.path.join(workdir, name + ".replay")
    env = dict(display.env, SDL_AUDIODRIVER="dummy", LIBGL_ALWAYS_SOFTWARE="1",
               TRIMVALD_SWAP_TIMES=times)
    if not llvmpipe:
        env["GALLIUM_NOOP"] = "true"
    game = harness.Game([os.path.join(build, "trimvald"), "--record", recording], env, workdir,
                        name, seconds + 30, display=display,
                        preload=os.path.join(build, "tests", "e2e", "libswap_counter.so"))
    try:
        window = harness.open_windowed(game)
        time.sleep(TITLE_SECONDS)
        for keys in ("1", "Return"):
            display.hold(window, keys)
        time.sleep(SLIDE_SECONDS)
        display.xdotool("keydown", "--window", window, "s", "e")
        began = time.monotonic()
        time.sleep(seconds)
        ended = time.monotonic()
        display.xdotool("keyup", "--window", window, "s", "e")
        display.hold(window, "F1")
        game.wait_exit("F1")
    finally:
        game.kill()
    with open(times) as f:
        swaps = [(int(t) / 1e9, int(cpu) / 1e9) for t, cpu in (line.split() for line in f)]
    # Swap n (from 0) ends frame n + 1.
    during = [n for n, (t, _) in enumerate(swaps) if began <= t <= ended]
    if len(during) < 10:
        raise Failure(f"only {len(during)} frames were shown in {seconds} s of play")
    if not frames_in_play(os.path.join(build, "trimvald-replay"), recording,
                          during[0] + 1, during[-1] + 1):
        raise Failure("the game was not running in every measured frame")
    (t0, cpu0), (t1, cpu1) = swaps[during[0]], swaps[during[-1]]
    gaps = sorted((swaps[n + 1][0] - swaps[n][0]) * 1000 for n in during[:-1])
    return {"cpu": 100 * (cpu1 - cpu0) / (t1 - t0),
            "median": gaps[len(gaps) // 2], "p99": gaps[min(len(gaps) - 1, int(len(gaps) * 0.99))],
            "max": gaps[-1], "frames": len(during)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seconds", type=float, default=8.0)
    parser.add_argument("--noop-only", action="store_true", help="leave llvmpipe out")
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    for path in ("trimvald", "trimvald-replay", "tests/e2e/libswap_counter.so"):
        if not os.path.exists(os.path.join(build, path)):
            sys.exit(f"{os.path.join(build, path)} is missing: build the default preset first")
    with tempfile.TemporaryDirectory(prefix="trimvald-pacing-") as workdir:
        display = harness.Display("640x480x24", workdir)
        try:
            for llvmpipe in (False,) if options.noop_only else (False, True):
                title = "llvmpipe" if llvmpipe else "rasterisation off (GALLIUM_NOOP=true)"
                runs = [one_run(display, build, workdir, f"pacing{i}", llvmpipe, options.seconds)
                        for i in range(options.runs)]
                print(f"the real game in an 800x600 window, in play, {title}, "
                      f"{options.runs} runs of {options.seconds:g} s:")
                print(f"  frames measured   {statistics.median(r['frames'] for r in runs):9.0f}")
                print(f"  CPU, % of a core  {statistics.median(r['cpu'] for r in runs):9.2f}"
                      f"   (runs: {', '.join('%.2f' % r['cpu'] for r in runs)})")
                for key in ("median", "p99", "max"):
                    print(f"  frame gap {key:6}  {statistics.median(r[key] for r in runs):9.2f} ms")
        finally:
            display.close()


if __name__ == "__main__":
    main()
