#!/usr/bin/env python3
"""The real game's frame pacing in a real window: a game started at level 1 and walked in for a
few seconds in an 800x600 window on a private Xvfb (640x480, so the game asks to play in a
window), with Mesa's no-op driver (what the game itself costs) and with llvmpipe. Reports, for
the seconds of play alone, the processor time the game took per second (100% = one core) and
the gaps between its frames (median, p99, max), read by the end-to-end tests' preloaded swap
counter. Several runs of each; their medians are printed.

Usage: pacing_bench.py BUILD_DIR [--runs N] [--seconds S]
"""
import argparse
import os
import statistics
import sys
import tempfile
import time
from types import SimpleNamespace

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
import run_game  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system time of the whole process so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def one_run(display, args, workdir, name, llvmpipe, seconds):
    times = os.path.join(workdir, name + ".times")
    changes = {"TRIMVALD_SWAP_TIMES": times}
    if llvmpipe:
        changes["GALLIUM_NOOP"] = None
    game = run_game.Game(display, args, workdir, name, changes)
    try:
        game.allow(seconds + 30)
        window = run_game.open_windowed(game)
        time.sleep(run_game.PLAY_SECONDS)  # the title panel in place
        for keys in ("1", "Return"):
            display.hold(window, keys)
        time.sleep(1.5)  # the panel slides away: the arena is drawn from here on
        display.xdotool("keydown", "--window", window, "w")
        began, cpu_began = time.monotonic(), cpu_seconds(game.process.pid)
        time.sleep(seconds)
        ended, cpu_ended = time.monotonic(), cpu_seconds(game.process.pid)
        display.xdotool("keyup", "--window", window, "w")
        display.hold(window, "F1")
        game.wait_exit("F1")
    finally:
        game.kill()
    with open(times) as f:
        swaps = [int(line) / 1e9 for line in f]
    during = [t for t in swaps if began <= t <= ended]
    gaps = sorted((b - a) * 1000 for a, b in zip(during, during[1:]))
    if len(gaps) < 10:
        raise run_game.Failure(f"only {len(during)} frames were shown in {seconds} s of play")
    return {"cpu": 100 * (cpu_ended - cpu_began) / (ended - began),
            "median": gaps[len(gaps) // 2], "p99": gaps[min(len(gaps) - 1, int(len(gaps) * 0.99))],
            "max": gaps[-1], "frames": len(gaps) + 1}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=5.0)
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    args = SimpleNamespace(game=os.path.join(build, "trimvald"),
                           preload=os.path.join(build, "tests", "e2e", "libswap_counter.so"),
                           shots=os.path.join(build, "e2e-shots"))
    for path in (args.game, args.preload):
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: build the default preset first")
    with tempfile.TemporaryDirectory(prefix="trimvald-pacing-") as workdir:
        display = run_game.Display("640x480x24", workdir)
        try:
            for llvmpipe in (False, True):
                title = "llvmpipe" if llvmpipe else "rasterisation off (GALLIUM_NOOP=true)"
                runs = [one_run(display, args, workdir, f"pacing{i}", llvmpipe, options.seconds)
                        for i in range(options.runs)]
                print(f"the real game in an 800x600 window, in play, {title}, "
                      f"{options.runs} runs of {options.seconds:g} s:")
                print(f"  frames shown      {statistics.median(r['frames'] for r in runs):9.0f}")
                print(f"  CPU, % of a core  {statistics.median(r['cpu'] for r in runs):9.1f}")
                for key in ("median", "p99", "max"):
                    print(f"  frame gap {key:6}  {statistics.median(r[key] for r in runs):9.2f} ms")
        finally:
            display.close()


if __name__ == "__main__":
    main()
