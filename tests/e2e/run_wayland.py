#!/usr/bin/env python3
"""Plays the real game under a private headless sway, over SDL's Wayland back-end, and checks
that mouse look turns the view and F1 ends the game.

Usage: run_wayland.py --game PATH --preload PATH --input PATH

The pointer and the keyboard are virtual devices of the compositor (the --input helper), so the
game gets relative motion exactly as from a real mouse, through the relative-pointer protocol.
Ends with 77 (a skip) when sway is not installed.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from harness import (DEGREES_PER_PIXEL, GAME_CAPTION, KEY_HOLD_SECONDS, START_CAPTION,  # noqa: E402
                     Deadline, Failure, Game, expect, run_cases, stop)

TIME_LIMIT = 30.0  # seconds for the whole run
SKIP = 77
# evdev key codes
KEY_ENTER = 28
KEY_F1 = 59
# An output larger than the game's 800x600: the game covers it without a mode switch, and the
# motion must still count one pixel as one pixel.
OUTPUT = "1024x768"
NOBODY = 65534


class Sway:
    """A headless sway with a runtime directory of its own. Sway refuses to run as root, so
    under root it runs as nobody; root's clients reach its socket all the same."""

    def __init__(self, workdir, deadline):
        self.runtime = os.path.join(workdir, "runtime")
        home = os.path.join(workdir, "home")
        os.mkdir(self.runtime, 0o700)
        os.mkdir(home)
        config = os.path.join(workdir, "sway.config")
        with open(config, "w") as f:
            # No bar, no borders: the game's window is the only thing on the output.
            f.write(f"output HEADLESS-1 resolution {OUTPUT}\n"
                    "default_border none\n"
                    "xwayland disable\n")
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": home,
               "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
               "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        command = ["sway", "-c", config]
        if os.geteuid() == 0:
            # The work directory is root's; nobody may only pass through it.
            os.chmod(workdir, 0o711)
            for path in (self.runtime, home, config):
                os.chown(path, NOBODY, NOBODY)
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                       *command]
        self.log_path = os.path.join(workdir, "sway.log")
        self.log = open(self.log_path, "w")
        self.process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.socket = None
        self.ipc = None
        while not (self.socket and self.ipc):
            deadline.left("sway to open its sockets")
            expect(self.process.poll() is None,
                   f"sway ended with {self.process.returncode}:\n{self.log_tail()}")
            names = os.listdir(self.runtime)
            self.socket = next((n for n in names if n.startswith("wayland-")
                                and not n.endswith(".lock")), None)
            self.ipc = next((os.path.join(self.runtime, n) for n in names
                             if n.startswith("sway-ipc.")), None)
            time.sleep(0.05)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "SWAYSOCK")}
        self.env.update(XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=self.socket,
                        SWAYSOCK=self.ipc)

    def log_tail(self):
        with open(self.log_path, errors="replace") as f:
            return "\n".join(f.read().splitlines()[-10:])

    def focused_window(self):
        """The name of the focused window, or None."""
        result = subprocess.run(["swaymsg", "-t", "get_tree", "-r"], env=self.env,
                                capture_output=True, text=True, timeout=10)
        if result.returncode != 0:
            return None
        nodes = [json.loads(result.stdout)]
        while nodes:
            node = nodes.pop()
            if node.get("focused") and node.get("pid"):
                return node.get("name")
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return None

    def close(self):
        stop(self.process)
        self.log.close()


class Input:
    """The virtual mouse and keyboard; every command returns once sway has taken it."""

    def __init__(self, path, env):
        self.process = subprocess.Popen([path], env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        text=True, bufsize=1)
        self.answer("the virtual devices", "ready")

    def answer(self, what, expected="ok"):
        line = self.process.stdout.readline().strip()
        expect(line == expected, f"the input helper answered {line!r} to {what}")

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.answer(command)

    def hold(self, key):
        # The game reads its keys once a frame: a press and release in one frame go unseen.
        self.send(f"down {key}")
        time.sleep(KEY_HOLD_SECONDS)
        self.send(f"up {key}")

    def close(self):
        stop(self.process, lambda process: process.stdin.close())


def mouse_look(args, workdir):
    deadline = Deadline(TIME_LIMIT)
    sway = Sway(workdir, deadline)
    devices = game = None
    try:
        devices = Input(args.input, sway.env)
        game = Game([args.game], dict(sway.env, SDL_VIDEODRIVER="wayland", SDL_AUDIODRIVER="dummy"),
                    workdir, "game", deadline, preload=args.preload)
        # There is no dialog program under this compositor: the start prompt goes to stderr and
        # is answered Yes, and the game window comes up and takes the keyboard focus.
        while sway.focused_window() != GAME_CAPTION:
            game.time_left("the game window to get the focus")
            if game.process.poll() is not None:
                raise Failure(f"the game ended with {game.process.returncode} before its window "
                              f"had the focus; game output:\n{game.stderr_tail()}")
            time.sleep(0.1)
        # The focus event reaches the game in its next frame, and only then is the pointer
        # captured.
        time.sleep(1.0)
        # Left turns the view to a greater yaw, down to a greater pitch. Motion counts from the
        # start, also behind the title panel; the camera is drawn once a game has begun and the
        # panel has slid away.
        devices.send("motion -300 0")
        devices.hold(KEY_ENTER)
        time.sleep(3.5)
        devices.send("motion 100 50")
        time.sleep(0.5)
        expect(game.process.poll() is None, f"the game ended on its own with {game.process.returncode}")
        devices.hold(KEY_F1)
        game.wait_exit("F1")

        report = game.report()
        expect(report["box"] == [START_CAPTION], f"dialogs shown: {report['box']}")
        expect(report["windows"] == 1, f"{report['windows']} game windows were created")
        expect(report["swaps"] >= 20, f"only {report['swaps']} frames were shown")
        expect("yaw" in report, f"the game never drew its camera: {report}")
        first = (report["first_yaw"], report["first_pitch"])
        last = (report["yaw"], report["pitch"])
        # The first motion was all in before the first camera frame, the second came after it.
        expected_first = (300 * DEGREES_PER_PIXEL, 0.0)
        expected_last = (200 * DEGREES_PER_PIXEL, 50 * DEGREES_PER_PIXEL)
        for name, seen, wanted in (("first", first, expected_first),
                                   ("last", last, expected_last)):
            expect(all(abs(s - w) < 0.01 for s, w in zip(seen, wanted)),
                   f"the {name} camera frame had yaw {seen[0]:.3f} and pitch {seen[1]:.3f}, "
                   f"not {wanted[0]:.1f} and {wanted[1]:.1f}")
        print(f"    {report['swaps']} frames; yaw {first[0]:.1f} -> {last[0]:.1f}, "
              f"pitch {first[1]:.1f} -> {last[1]:.1f}")
    finally:
        if game:
            game.kill()
        if devices:
            devices.close()
        sway.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--preload", required=True)
    parser.add_argument("--input", required=True, help="the virtual mouse and keyboard helper")
    args = parser.parse_args()
    for name in ("game", "preload", "input"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    missing = [tool for tool in ("sway", "swaymsg") if not shutil.which(tool)]
    if missing:
        print(f"SKIP: {' and '.join(missing)} not installed (scripts/install-deps.sh test)")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="trimvald-wayland-") as workdir:
        return run_cases([("wayland_mouse_look", lambda: mouse_look(args, workdir))])


if __name__ == "__main__":
    sys.exit(main())
