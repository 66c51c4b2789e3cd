#!/usr/bin/env python3
"""Runs the Windows package of the game under Wine in a private virtual X server, as a player
would, and checks how it goes.

Usage: smoke.py --package ZIP --workdir DIR

The screenshots are saved as DIR/title.png and DIR/play.png.

Wine draws outline glyphs flat: its wglUseFontOutlinesA ignores the extrusion. The HUD's texts
stand exactly on the near clipping plane, and only their extruded depth lies inside the view, so
under Wine the HUD is clipped away (on Windows it shows). The title texts stand deeper and show.

Three runs of the real trimvald.exe:
  play     answer the start prompt (and the offer to run in a window), photograph the title
           panel with its Cyrillic outline texts, start a game with Enter, walk and cast,
           photograph the arena, quit with F1; the exit code must be 0. Wine's OpenGL trace
           shows that the game asked for swap interval 0, and the pace of its buffer swaps.
  failure  the same package with a texture missing: the game's Russian message box (a file
           that is not there gets no message of the loader's own), and the exit code is 0.
  english  on an English Windows (ANSI code page 1252, not the game's 1251): the prompts and the
           game window still carry their Russian captions, as X sees their names; F1 quits.

Everything lives under DIR: the Wine prefix (kept, so later runs start quickly), a home, the
Russian and English locales for Wine's ANSI code page, the unpacked package. Only the processes this script
starts are stopped: its X server, and the wineserver of its own prefix.
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import time
import zipfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from private_xvfb import PrivateXvfb, XvfbError  # noqa: E402

START_CAPTION = "Запуск игры Тримвальд..."
WINDOWED_CAPTION = "Тримвальд"
GAME_CAPTION = " Тримвальд "
ERROR_CAPTION = "ОШИБКА"
STEP_TIME_LIMIT = 30.0  # seconds to wait for any one window or exit


class Failure(Exception):
    pass


def log(text):
    print(f"wine smoke: {text}", flush=True)


class Display:
    """A private Xvfb for this run."""

    def __init__(self, workdir):
        try:
            self.xvfb = PrivateXvfb("1024x768x24", os.path.join(workdir, "xvfb.log"))
        except XvfbError as error:
            raise Failure(str(error))
        self.name = self.xvfb.name

    def close(self):
        self.xvfb.close()


class Wine:
    def __init__(self, workdir, display):
        self.workdir = workdir
        home = os.path.join(workdir, "home")
        os.makedirs(home, exist_ok=True)
        # No sound device here: ALSA is told to play into nothing instead of failing noisily.
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type null }\n")
        self.env = dict(os.environ)
        self.env.update(
            DISPLAY=display.name, HOME=home, WINEPREFIX=os.path.join(workdir, "prefix"),
            WINEARCH="win64", WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
            LIBGL_ALWAYS_SOFTWARE="1", LOCPATH=self.locales(), LC_ALL="ru_RU.UTF-8")
        self.env.pop("LANGUAGE", None)

    def locales(self):
        """Wine takes its ANSI code page from the locale: a Russian one gives Windows-1251, the
        code page the game's texts are written in, an English one Windows-1252."""
        folder = os.path.join(self.workdir, "locale")
        for name in ("ru_RU", "en_US"):
            if not os.path.isdir(os.path.join(folder, name + ".UTF-8")):
                os.makedirs(folder, exist_ok=True)
                subprocess.run(["localedef", "-i", name, "-f", "UTF-8",
                                os.path.join(folder, name + ".UTF-8")], check=True,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return folder

    def run(self, *args, timeout=180):
        return subprocess.run(["wine", *args], env=self.env, timeout=timeout,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def prepare(self):
        started = time.monotonic()
        subprocess.run(["wineboot", "--init"], env=self.env, timeout=180, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Without a window manager Wine waits about two seconds whenever a window closes,
        # unless it does not manage its windows itself.
        self.run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        # The game asks for Haettenschweiler, a narrow heavy face that comes with Windows; the
        # closest installed here stands in for it, as Windows' own font mapper would choose.
        self.run("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes",
                 "/v", "Haettenschweiler", "/d", "Yanone Kaffeesatz", "/f")
        self.server_wait()
        log(f"Wine prefix ready in {time.monotonic() - started:.1f} s")

    def server_wait(self):
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Session:
    """One run of the game: its windows are found by name and driven with xdotool."""

    def __init__(self, wine, folder, name):
        self.wine = wine
        self.name = name
        self.err = open(os.path.join(wine.workdir, name + ".log"), "w")
        self.process = subprocess.Popen(["wine", "trimvald.exe"], cwd=folder, env=wine.env,
                                        stdin=subprocess.DEVNULL, stdout=self.err,
                                        stderr=subprocess.STDOUT)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.wine.env, capture_output=True,
                                text=True, timeout=20)
        if check and result.returncode != 0:
            raise Failure(f"{self.name}: xdotool {' '.join(args)}: {result.stderr.strip()}")
        return result.stdout

    def window(self, caption):
        """Waits for a visible window with exactly this caption and returns its id."""
        deadline = time.monotonic() + STEP_TIME_LIMIT
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise Failure(f"{self.name}: the game ended (code {self.process.returncode}) "
                              f"while the window '{caption}' was awaited")
            # Every visible window, compared by its whole name (search takes a pattern).
            for wid in self.visible():
                title = self.xdotool("getwindowname", wid, check=False).rstrip("\n")
                if title == caption:
                    return wid
            time.sleep(0.2)
        shown = [self.xdotool("getwindowname", wid, check=False).strip() for wid in self.visible()]
        raise Failure(f"{self.name}: no window '{caption}' within {STEP_TIME_LIMIT:.0f} s "
                      f"(shown: {', '.join(repr(name) for name in shown)})")

    def visible(self):
        return self.xdotool("search", "--onlyvisible", "--name", "", check=False).split()

    def answer(self, caption, key="Return"):
        """Presses the key in the dialog until the dialog goes. The dialog may close on the
        key's press, so xdotool can fail to deliver the release: that is not an error."""
        for attempt in range(5):
            wid = self.window(caption)
            self.xdotool("key", "--window", wid, key, check=False)
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline and wid in self.visible():
                time.sleep(0.1)
            if wid not in self.visible():
                log(f"{self.name}: '{caption}' shown, answered with {key}")
                return
        raise Failure(f"{self.name}: the dialog '{caption}' did not take {key}")

    def hold(self, wid, keys, seconds):
        """Keys held long enough for the game to see them: it reads them once a frame."""
        self.xdotool("keydown", "--window", wid, *keys)
        time.sleep(seconds)
        self.xdotool("keyup", "--window", wid, *keys, check=False)

    def exit_code(self):
        try:
            return self.process.wait(STEP_TIME_LIMIT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failure(f"{self.name}: the game did not end within {STEP_TIME_LIMIT:.0f} s")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.err.close()


def capture(env, wid):
    """The window's pixels as (width, height, rgb rows top first), read from xwd's dump."""
    data = subprocess.run(["xwd", "-silent", "-id", wid], env=env, capture_output=True,
                          timeout=20, check=True).stdout
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line, colours = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel not in (24, 32):
        raise Failure(f"the screenshot has {bits_per_pixel} bits per pixel, 24 or 32 expected")
    size = bits_per_pixel // 8
    start = header_size + colours * 12
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line: start + y * bytes_per_line + width * size]
        if len(line) < width * size:
            raise Failure("the screenshot is shorter than its header says")
        row = bytearray(width * 3)
        if byte_order == 0:  # least significant byte first: blue, green, red (, unused)
            row[0::3], row[1::3], row[2::3] = line[2::size], line[1::size], line[0::size]
        else:
            first = size - 3
            row[0::3], row[1::3], row[2::3] = line[first::size], line[first + 1::size], line[first + 2::size]
        rows.append(bytes(row))
    return width, height, rows


def client_area(width, height, rows):
    """The 800x600 drawing inside the frame Wine draws round its windows (equal borders left,
    right and below, the caption above)."""
    if width < 800 or height < 600:
        raise Failure(f"the game window is {width}x{height}, smaller than 800x600")
    border = (width - 800) // 2
    top = height - 600 - border
    return 800, 600, [row[3 * border: 3 * (border + 800)] for row in rows[top: top + 600]]


def save_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def count_pixels(rows, x0, x1, y0, y1, test):
    count = 0
    for y in range(y0, y1):
        row = rows[y]
        for x in range(x0, x1):
            if test(row[3 * x], row[3 * x + 1], row[3 * x + 2]):
                count += 1
    return count


def check_title(rows):
    """The title panel: its purple emblem, and the pink outline texts at the top (the title)
    and the bottom (the difficulty and the keys)."""
    pink = lambda r, g, b: r > 150 and b > 60 and g < 110 and r > b
    title = count_pixels(rows, 0, 800, 0, 180, pink)
    lines = count_pixels(rows, 0, 800, 500, 600, pink)
    purple = count_pixels(rows, 0, 800, 180, 500, lambda r, g, b: b > 30 and r > 20 and g < r)
    log(f"title: {title} pink pixels in the title, {lines} in the lines below, {purple} purple")
    if title < 5000 or lines < 5000:
        raise Failure("the title screenshot shows no title texts")
    if purple < 800 * 320 // 4:
        raise Failure("the title screenshot shows no panel")


def check_arena(rows):
    """The arena: stone floor in the lower half, stars or nebula in the sky above the walls."""
    floor = count_pixels(rows, 0, 800, 360, 600, lambda r, g, b: r + g + b > 60)
    sky = count_pixels(rows, 0, 800, 0, 150, lambda r, g, b: r + g + b > 90)
    log(f"arena: {floor} lit floor pixels, {sky} bright sky pixels")
    if floor < 800 * 240 // 2:
        raise Failure("the screenshot shows no floor")
    if sky < 50:
        raise Failure("the screenshot shows no sky")


def check_pacing(log_path):
    """Wine's trace of the run: the game asked for swaps that wait for no monitor, and its frames
    came no faster than its 10 ms wait allows, and not much slower (the times are whole ms)."""
    with open(log_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    if not any(line.endswith("wglSwapIntervalEXT (0)") for line in lines):
        raise Failure("play: the game did not ask Wine's OpenGL for swap interval 0")
    swaps = [float(line.split(":", 1)[0]) for line in lines if "wglSwapBuffers" in line]
    # The first two seconds are left out: the title panel's first frames meet start-up's tail.
    swaps = [t for t in swaps if swaps and t >= swaps[0] + 2.0]
    if len(swaps) < 50:
        raise Failure(f"play: only {len(swaps)} frames were shown after the first two seconds")
    rate = (len(swaps) - 1) / (swaps[-1] - swaps[0])
    gaps = sorted(b - a for a, b in zip(swaps, swaps[1:]))
    median = 1000 * gaps[len(gaps) // 2]
    log(f"play: swap interval 0 asked for; {len(swaps)} frames, {rate:.1f} frames/s, "
        f"median gap {median:.0f} ms")
    if rate > 102 or median > 20:
        raise Failure(f"play: {rate:.1f} frames/s with a median gap of {median:.0f} ms: not "
                      "the game's 10 ms frames")


def play(wine, folder, workdir):
    # Wine's OpenGL calls traced, with times: the swap interval asked for, and every swap.
    wine.env["WINEDEBUG"] = "-all,+timestamp,+wgl"
    try:
        session = Session(wine, folder, "play")
    finally:
        wine.env["WINEDEBUG"] = "-all"
    try:
        # Space, not Return: Return closes a dialog as it goes down, and Wine then hands the
        # game window an Enter that starts a game at once.
        session.answer(START_CAPTION, "space")
        # On a plain X server the display mode cannot be changed: the game offers a window.
        session.answer(WINDOWED_CAPTION, "space")
        wid = session.window(GAME_CAPTION)
        time.sleep(3.0)  # the title panel slides in and its texts appear
        title = client_area(*capture(wine.env, wid))
        session.hold(wid, ["Return"], 0.3)
        time.sleep(3.5)  # the panel slides away and the player lands
        session.hold(wid, ["w"], 0.6)
        session.hold(wid, ["e"], 0.15)
        time.sleep(0.2)
        arena = client_area(*capture(wine.env, wid))
        for name, picture in (("title", title), ("play", arena)):
            save_png(os.path.join(workdir, name + ".png"), *picture)
        log(f"play: screenshots saved in {workdir}/title.png and play.png")
        session.hold(wid, ["F1"], 0.3)
        code = session.exit_code()
        if code != 0:
            raise Failure(f"play: the game ended with code {code}")
        log("play: F1 ended the game with code 0")
        check_pacing(os.path.join(workdir, "play.log"))
        check_title(title[2])
        check_arena(arena[2])
    finally:
        session.close()


def missing_texture(wine, folder):
    broken = folder + "-missing-texture"
    shutil.rmtree(broken, ignore_errors=True)
    shutil.copytree(folder, broken)
    os.remove(os.path.join(broken, "Data", "Textures", "1S.bmp"))
    session = Session(wine, broken, "failure")
    try:
        session.answer(START_CAPTION, "space")
        session.answer(WINDOWED_CAPTION, "space")
        session.answer(ERROR_CAPTION, "space")
        code = session.exit_code()
        if code != 0:
            raise Failure(f"failure: the game ended with code {code}")
        log("failure: the missing texture was reported in Russian and the game ended with code 0")
    finally:
        session.close()


def english(wine, folder):
    # A wineserver started under the Russian locale would keep its code page: it goes first.
    wine.stop()
    wine.env["LC_ALL"] = "en_US.UTF-8"
    session = Session(wine, folder, "english")
    try:
        session.answer(START_CAPTION, "space")
        session.answer(WINDOWED_CAPTION, "space")
        wid = session.window(GAME_CAPTION)
        # While the game still builds its fonts, a press and its release are both waiting
        # when it reads its messages, and it never sees the key down: F1 until it ends.
        for attempt in range(10):
            session.hold(wid, ["F1"], 0.3)
            try:
                session.process.wait(2.0)
                break
            except subprocess.TimeoutExpired:
                pass
        code = session.exit_code()
        if code != 0:
            raise Failure(f"english: the game ended with code {code}")
        log("english: Russian captions under code page 1252, F1 ended the game with code 0")
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--package", required=True)
    parser.add_argument("--workdir", required=True)
    args = parser.parse_args()
    workdir = os.path.abspath(args.workdir)
    os.makedirs(workdir, exist_ok=True)
    unpacked = os.path.join(workdir, "game")
    shutil.rmtree(unpacked, ignore_errors=True)
    with zipfile.ZipFile(args.package) as package:
        package.extractall(unpacked)
    # One folder, named as the package, holding the game and its two texts.
    top = os.listdir(unpacked)
    expected = os.path.splitext(os.path.basename(args.package))[0]
    if top != [expected]:
        raise Failure(f"the package holds {top}, not the one folder {expected}/")
    folder = os.path.join(unpacked, expected)
    for name in ("trimvald.exe", "Data", "README.txt", "LICENSE.txt"):
        if not os.path.exists(os.path.join(folder, name)):
            raise Failure(f"the package's folder holds no {name}")

    started = time.monotonic()
    display = Display(workdir)
    wine = Wine(workdir, display)
    try:
        wine.prepare()
        play(wine, folder, workdir)
        missing_texture(wine, folder)
        english(wine, folder)
    finally:
        wine.stop()
        display.close()
    log(f"passed in {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    try:
        main()
    except (Failure, subprocess.SubprocessError, OSError, zipfile.BadZipFile) as failure:
        print(f"wine smoke: FAILED: {failure}", file=sys.stderr)
        sys.exit(1)
