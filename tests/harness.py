"""What the end-to-end tests share: failures, deadlines, a private Xvfb and the X helpers that
drive it, the game's process, screenshots, the swap counter's report, and a case runner.

tests/e2e/game_harness.py (run_game.py's own), tests/e2e/run_wayland.py, tests/wine/smoke.py and
scripts/pacing_bench.py import it."""
import os
import re
import select
import signal
import struct
import subprocess
import sys
import time
import zlib

SOURCE_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def game_string(source, name):
    """A string constant of the game, read from its one definition in the sources (`source`
    from the repository's root): the tests look for what the game says, not for a copy of it."""
    with open(os.path.join(SOURCE_ROOT, source), encoding="utf-8") as f:
        found = re.search(r"\b" + name + r'\s*=\s*((?:"(?:[^"\\]|\\.)*"\s*)+);', f.read())
    if not found:
        raise LookupError(f"no string {name} in {source}")
    pieces = re.findall(r'"((?:[^"\\]|\\.)*)"', found.group(1))
    return re.sub(r"\\(.)", lambda m: "\n" if m.group(1) == "n" else m.group(1), "".join(pieces))


def game_text(name):
    """A text of the game's message boxes or window (app/dialog_texts.cpp)."""
    return game_string("app/dialog_texts.cpp", name)


def cue_path(name):
    """A sound cue's file (render/sound_cues.cpp), as a path of this system."""
    return os.path.join(*game_string("render/sound_cues.cpp", name).split("\\"))


START_CAPTION = game_text("startCaption")
WINDOWED_CAPTION = game_text("windowedOfferCaption")  # the dialog offering to run in a window
GAME_CAPTION = game_text("gameWindowTitle")  # the game window
ERROR_CAPTION = game_text("errorCaption")
KEY_HOLD_SECONDS = 0.25
# Mouse look turns the view by a tenth of a degree per pixel of motion.
DEGREES_PER_PIXEL = 0.1


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


class Deadline:
    def __init__(self, seconds):
        self.seconds, self.end = seconds, time.monotonic() + seconds

    def left(self, what, more=lambda: ""):
        """The seconds left; past the end, a failure naming what was awaited and `more()`."""
        left = self.end - time.monotonic()
        if left <= 0:
            raise Failure(f"timed out after {self.seconds:.0f} s waiting for {what}{more()}")
        return left


def stop(process, ask=subprocess.Popen.terminate):
    """Asks a process that still runs to end, and kills it if it has not within 5 s."""
    if process and process.poll() is None:
        ask(process)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Display:
    """A private Xvfb, with openbox on it if `wm`. The display number comes back through
    -displayfd, so parallel runs never share a server, and whatever DISPLAY the caller had is
    ignored. `server_args` are added to Xvfb's command line (e.g. "-fp", "built-ins"). With
    `resets`, the server starts afresh whenever its last client leaves, as a kiosk's does."""

    def __init__(self, screen, workdir, server_args=(), wm=False, resets=False):
        self.size = tuple(int(v) for v in screen.split("x")[:2])
        self.wm = None
        log_path = os.path.join(workdir, "xvfb.log")
        self.log = open(log_path, "w")
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
             *([] if resets else ["-noreset"]), "-nolisten", "tcp", *server_args],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        # Read up to the newline: Xvfb writes it after the number, and fails if it cannot.
        number, end = b"", time.monotonic() + 10
        while not number.endswith(b"\n"):
            ready = select.select([read_end], [], [], max(0, end - time.monotonic()))[0]
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        try:
            expect(number.strip().isdigit(), f"Xvfb did not start (screen {screen}); see {log_path}")
            self.name = ":" + number.decode().strip()
            self.env = {k: v for k, v in os.environ.items()
                        if k not in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY")}
            self.env["DISPLAY"] = self.name
            if wm:
                self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
                # Openbox owns the screen once it has set the window manager's check window.
                deadline = Deadline(10)
                while "_NET_SUPPORTING_WM_CHECK(WINDOW)" not in self.xprop("-root"):
                    deadline.left("openbox to take the screen")
                    time.sleep(0.1)
        except BaseException:
            self.close()
            raise

    def close(self):
        stop(self.wm)
        stop(self.server)
        self.log.close()

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True,
                              encoding="utf-8", errors="replace", timeout=20)

    def xprop(self, *args):
        return self.run("xprop", *args).stdout

    def current_mode(self):
        """The screen's current size as xrandr reports it, e.g. "1024 x 768"."""
        out = self.run("xrandr", "-q").stdout
        return out.split("current ", 1)[1].split(",", 1)[0] if "current " in out else out

    def xdotool(self, *args, check=True):
        result = self.run("xdotool", *args)
        expect(not check or result.returncode == 0,
               f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def pointer(self):
        values = dict(part.split(":") for part in self.xdotool("getmouselocation").split()
                      if ":" in part)
        return int(values["x"]), int(values["y"])

    def visible(self):
        return self.xdotool("search", "--onlyvisible", "--classname", "", check=False).split()

    def windows(self):
        """(id, name) of every visible window. Names are read one by one, because xdotool
        cannot search for Cyrillic names; a window gone in between is skipped."""
        names = ((wid, self.run("xdotool", "getwindowname", wid)) for wid in self.visible())
        return [(wid, got.stdout.rstrip("\n")) for wid, got in names if got.returncode == 0]

    def geometry(self, wid):
        shell = self.xdotool("getwindowgeometry", "--shell", wid).split()
        values = dict(line.split("=") for line in shell)
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def tap(self, wid, key):
        self.xdotool("key", "--window", wid, key)

    def hold(self, wid, keys, seconds=KEY_HOLD_SECONDS):
        """Holds the keys for a while, as a player would: the game reads its keys once a frame,
        so a press and release in the same frame would go unseen."""
        self.xdotool("keydown", "--window", wid, keys)
        time.sleep(seconds)
        # The window is usually gone by now. xdotool presses the keys on the server itself when
        # the window has the focus, so they are released there too: a key left down would reach
        # the next game's window the moment it takes the focus.
        self.xdotool("keyup", "--window", wid, keys, check=False)
        self.xdotool("keyup", keys, check=False)


def open_windowed(game):
    """Says yes to the start prompt and to running in a window; returns the game window."""
    display = game.display
    display.tap(game.wait_window(START_CAPTION), "Return")
    display.tap(game.wait_window(WINDOWED_CAPTION, forbidden=(GAME_CAPTION,)), "Return")
    window = game.wait_window(GAME_CAPTION)
    size = display.geometry(window)[2:]
    expect(size == (800, 600), f"the game window's client area is {size[0]}x{size[1]}, not 800x600")
    return window


class Game:
    """The game's process, started at once with its output in WORKDIR/NAME.stderr, and given
    `seconds` (or a Deadline) for all it is awaited in, or, `each_wait`, for each window or exit
    awaited afresh. With `preload`, the swap counter is preloaded and writes its report to
    WORKDIR/NAME.report."""

    def __init__(self, command, env, workdir, name, seconds, display=None, preload=None, cwd=None,
                 each_wait=False):
        self.display, self.each_wait = display, each_wait and seconds
        self.report_path = os.path.join(workdir, name + ".report")
        self.stderr_path = os.path.join(workdir, name + ".stderr")
        env = dict(env)
        if preload:
            env.update(LD_PRELOAD=preload, TRIMVALD_SWAP_REPORT=self.report_path)
            # A sanitizer build wants its runtime first in the preload list; the counter does
            # not care where it sits.
            env["ASAN_OPTIONS"] = ":".join(
                filter(None, [env.get("ASAN_OPTIONS"), "verify_asan_link_order=0"]))
        self.allow(seconds)
        self.started = time.monotonic()
        with open(self.stderr_path, "w") as err:
            self.process = subprocess.Popen(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                            stdout=err, stderr=subprocess.STDOUT)

    def allow(self, seconds):
        """A new deadline for what is awaited from now on."""
        self.deadline = seconds if isinstance(seconds, Deadline) else Deadline(seconds)

    def stderr_lines(self):
        """What the game wrote."""
        with open(self.stderr_path, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()

    def stderr_tail(self):
        return "\n".join(self.stderr_lines()[-15:]) or "(nothing)"

    def time_left(self, what):
        def more():
            shown = f"; windows on screen: {self.display.windows()}" if self.display else ""
            return f"{shown}; game output:\n{self.stderr_tail()}"
        return self.deadline.left(what, more)

    def wait_window(self, caption, forbidden=()):
        """Waits for a visible window with exactly this caption and returns its id."""
        if self.each_wait:
            self.allow(self.each_wait)
        while True:
            self.time_left(f"a window captioned {caption!r}")
            if self.process.poll() is not None:
                raise Failure(f"the game exited with {self.process.returncode} before showing "
                              f"{caption!r}; game output:\n{self.stderr_tail()}")
            for wid, name in self.display.windows():
                expect(name not in forbidden,
                       f"unexpected window {name!r} while waiting for {caption!r}")
                if name == caption:
                    return wid
            time.sleep(0.05)

    def wait_exit(self, after, code=0):
        """Waits for the game to end, which it must with this exit code."""
        if self.each_wait:
            self.allow(self.each_wait)
        while self.process.poll() is None:
            try:
                self.process.wait(self.time_left(f"the game to end after {after}"))
            except subprocess.TimeoutExpired:
                pass
        self.ended = time.monotonic()
        expect(self.process.returncode == code,
               f"the game ended with exit code {self.process.returncode} after {after}; "
               f"game output:\n{self.stderr_tail()}")

    def kill(self):
        stop(self.process, subprocess.Popen.kill)

    def report(self):
        """The swap counter's report: its numbers, and the message boxes' captions under "box"."""
        expect(os.path.exists(self.report_path),
               "the swap counter wrote no report (was it preloaded?)")
        values = {"box": []}
        with open(self.report_path, encoding="utf-8") as f:
            for line in f.read().splitlines():
                key, _, value = line.partition("=")
                if key == "box":
                    values["box"].append(value)
                else:
                    values[key] = float(value) if "." in value else int(value)
        return values


class Screenshot:
    """The screen (xwd -root), or one window (xwd -id), as rows of RGB bytes, top first; saved
    as a PNG so that a failing run leaves a picture to look at."""

    def __init__(self, env, window=None):
        data = subprocess.run(["xwd", "-silent", *(["-id", window] if window else ["-root"])],
                              env=env, capture_output=True, check=True, timeout=20).stdout
        fields = struct.unpack(">25I", data[:100])
        header_size, self.width, self.height = fields[0], fields[4], fields[5]
        little, bits, stride, colours = fields[7] == 0, fields[11], fields[12], fields[19]
        expect(bits in (24, 32), f"xwd gave {bits} bits a pixel; only 24 and 32 are read")
        size, start = bits // 8, header_size + 12 * colours
        # Least significant byte first: blue, green, red (and an unused byte); else the reverse.
        first, step = (2, -1) if little else (size - 3, 1)
        self.rows = []
        for y in range(self.height):
            line = data[start + y * stride: start + y * stride + self.width * size]
            expect(len(line) == self.width * size, "the screenshot is shorter than its header says")
            row = bytearray(3 * self.width)
            for colour in range(3):
                row[colour::3] = line[first + step * colour::size]
            self.rows.append(bytes(row))

    def rgb(self, x, y):
        return tuple(self.rows[y][3 * x: 3 * x + 3])

    def crop(self, x, y, width, height):
        part = object.__new__(Screenshot)
        part.width, part.height = width, height
        part.rows = [row[3 * x: 3 * (x + width)] for row in self.rows[y: y + height]]
        return part

    def save_png(self, path):
        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" +
                    chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)) +
                    chunk(b"IDAT", zlib.compress(b"".join(b"\0" + row for row in self.rows), 6)) +
                    chunk(b"IEND", b""))


def run_cases(cases):
    """Runs the (name, function) pairs in order, each told as PASS with its time or FAIL with
    what failed; gives the exit code, 1 when any failed."""
    # CTest ends a run that overstays with SIGTERM: the servers and the game are cleaned up then too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    failures = 0
    for name, run in cases:
        started = time.monotonic()
        try:
            run()
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
        except Failure as failure:
            failures += 1
            print(f"FAIL {name}: {failure}", flush=True)
    return 1 if failures else 0
