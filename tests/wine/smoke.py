#!/usr/bin/env python3
"""Runs the Windows package of the game under Wine in a private virtual X server, as a player
would, and checks how it goes.

Usage: smoke.py --package ZIP --workdir DIR [--replay PATH]

The screenshots are saved as DIR/title.png and DIR/play.png.

Wine draws outline glyphs flat: its wglUseFontOutlinesA ignores the extrusion. The HUD's texts
stand exactly on the near clipping plane, and only their extruded depth lies inside the view, so
under Wine the HUD is clipped away (on Windows it shows). The title texts stand deeper and show.

The runs of the real trimvald.exe:
  play     answer the start prompt (and the offer to run in a window), photograph the title
           panel with its Cyrillic outline texts, start a game with Enter, walk and cast,
           photograph the arena, quit with F1; the exit code must be 0. Wine's OpenGL trace
           shows that the game asked for swap interval 0, and the pace of its buffer swaps.
  failure  the same package with a texture missing: the game's Russian message box (a file
           that is not there gets no message of the loader's own), and the exit code is 0.
  recorded (with --replay, the Linux replay driver) the command line refused in a message box;
           a round played with --record (a level, walking and turning with the mouse, casts, a
           jump with the key a settings file in %APPDATA% binds, a pause, F1) that the Linux
           driver's --check replays to the same end; a recorded game killed in mid game leaves
           whole lines that play.
  english  on an English Windows (ANSI code page 1252, not the game's 1251) without XInput: the
           prompts and the game window still carry their Russian captions, as X sees their
           names; F1 quits.

Everything lives under DIR: the Wine prefix (kept, so later runs start quickly), a home, the
Russian and English locales for Wine's ANSI code page, the unpacked package. Only the processes this script
starts are stopped: its X server, and the wineserver of its own prefix.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from harness import (ERROR_CAPTION, GAME_CAPTION, START_CAPTION, WINDOWED_CAPTION,  # noqa: E402
                     Display, Failure, Game, Screenshot, expect, run_cases)

STEP_TIME_LIMIT = 30.0  # seconds to wait for any one window or exit


def log(text):
    print(f"wine smoke: {text}", flush=True)


class Wine:
    def __init__(self, workdir, display):
        self.workdir, self.display = workdir, display
        home = os.path.join(workdir, "home")
        os.makedirs(home, exist_ok=True)
        # No sound device here: ALSA is told to play into nothing instead of failing noisily.
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type null }\n")
        self.env = dict(display.env)
        self.env.update(
            HOME=home, WINEPREFIX=os.path.join(workdir, "prefix"),
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
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60)
        log(f"Wine prefix ready in {time.monotonic() - started:.1f} s")

    def settings_file(self):
        """Where the game looks for the player's settings: %APPDATA%\\Trimvald\\settings.ini,
        as a path on this machine."""
        said = subprocess.run(["wine", "cmd", "/c", "echo", "%APPDATA%"], env=self.env, timeout=60,
                              capture_output=True, text=True).stdout.strip()
        unix = subprocess.run(["winepath", "-u", said], env=self.env, timeout=60,
                              capture_output=True, text=True).stdout.strip()
        expect(said and unix, f"%APPDATA% in the prefix is {said!r}, here {unix!r}")
        return os.path.join(unix, "Trimvald", "settings.ini")

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start(wine, folder, name, *arguments):
    """One run of the game: its windows are found by name and driven with xdotool."""
    return Game(["wine", "trimvald.exe", *arguments], wine.env, wine.workdir, name, STEP_TIME_LIMIT,
                display=wine.display, cwd=folder, each_wait=True)


def answer(game, caption, key="Return"):
    """Presses the key in the dialog until the dialog goes. The dialog may close on the key's
    press, so xdotool can fail to deliver the release: that is not an error."""
    display = game.display
    for attempt in range(5):
        wid = game.wait_window(caption)
        display.xdotool("key", "--window", wid, key, check=False)
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline and wid in display.visible():
            time.sleep(0.1)
        if wid not in display.visible():
            log(f"'{caption}' shown, answered with {key}")
            return
    raise Failure(f"the dialog '{caption}' did not take {key}")


def client_area(game, wid):
    """The 800x600 drawing inside the frame Wine draws round its windows (equal borders left,
    right and below, the caption above)."""
    shot = Screenshot(game.display.env, wid)
    expect(shot.width >= 800 and shot.height >= 600,
           f"the game window is {shot.width}x{shot.height}, smaller than 800x600")
    border = (shot.width - 800) // 2
    return shot.crop(border, shot.height - 600 - border, 800, 600)


def count_pixels(shot, x0, x1, y0, y1, test):
    return sum(1 for row in shot.rows[y0:y1] for x in range(3 * x0, 3 * x1, 3)
               if test(row[x], row[x + 1], row[x + 2]))


def check_title(shot):
    """The title panel: its purple emblem, and the pink outline texts at the top (the title)
    and the bottom (the difficulty and the keys)."""
    pink = lambda r, g, b: r > 150 and b > 60 and g < 110 and r > b
    title = count_pixels(shot, 0, 800, 0, 180, pink)
    lines = count_pixels(shot, 0, 800, 500, 600, pink)
    purple = count_pixels(shot, 0, 800, 180, 500, lambda r, g, b: b > 30 and r > 20 and g < r)
    # The level line ends well inside the screen in the narrow face the game ships; a wide
    # stand-in runs it off the right edge ("(4) С").
    edge = count_pixels(shot, 700, 800, 500, 548, lambda r, g, b: r > 180 and g > 100 and b > 180)
    log(f"title: {title} pink pixels in the title, {lines} in the lines below, {purple} purple, "
        f"{edge} of text at the level line's right end")
    expect(title >= 5000 and lines >= 5000, "the title screenshot shows no title texts")
    expect(edge == 0, "the level line runs to the right edge: not the narrow face")
    expect(purple >= 800 * 320 // 4, "the title screenshot shows no panel")


def check_arena(shot):
    """The arena: stone floor in the lower half, stars or nebula in the sky above the walls."""
    floor = count_pixels(shot, 0, 800, 360, 600, lambda r, g, b: r + g + b > 60)
    sky = count_pixels(shot, 0, 800, 0, 150, lambda r, g, b: r + g + b > 90)
    log(f"arena: {floor} lit floor pixels, {sky} bright sky pixels")
    expect(floor >= 800 * 240 // 2, "the screenshot shows no floor")
    expect(sky >= 50, "the screenshot shows no sky")


def check_pacing(log_path):
    """Wine's trace of the run: the game asked for swaps that wait for no monitor, its frames
    came no faster than its 10 ms wait allows, and not much slower (the times are whole ms), and
    it slept on its high-resolution timer (Wine takes the flag, as Windows 10 1803 does)."""
    with open(log_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    expect(any(line.endswith("wglSwapIntervalEXT (0)") for line in lines),
           "the game did not ask Wine's OpenGL for swap interval 0")
    swaps = [float(line.split(":", 1)[0]) for line in lines if "wglSwapBuffers" in line]
    # The first two seconds are left out: the title panel's first frames meet start-up's tail.
    swaps = [t for t in swaps if swaps and t >= swaps[0] + 2.0]
    expect(len(swaps) >= 50, f"only {len(swaps)} frames were shown after the first two seconds")
    rate = (len(swaps) - 1) / (swaps[-1] - swaps[0])
    gaps = sorted(b - a for a, b in zip(swaps, swaps[1:]))
    median = 1000 * gaps[len(gaps) // 2]
    timed = sum("NtSetTimer" in line for line in lines)
    log(f"play: swap interval 0 asked for; {len(swaps)} frames, {rate:.1f} frames/s, "
        f"median gap {median:.0f} ms; the timer set {timed} times")
    expect(timed >= len(swaps) // 2, f"the wait set its timer {timed} times in {len(swaps)} frames")
    expect(rate <= 102 and median <= 20, f"{rate:.1f} frames/s with a median gap of "
           f"{median:.0f} ms: not the game's 10 ms frames")


def play(wine, folder, workdir):
    # Wine's OpenGL calls traced, with times: the swap interval asked for, and every swap; and
    # its waits, where the game's timer is set. Wine sees DejaVu alone of this machine's fonts,
    # so the game's narrow face can only be the one it ships in Data\Fonts.
    fonts = os.path.join(workdir, "dejavu-only.conf")
    with open(fonts, "w") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>'
                f'<dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>{workdir}/fontconfig</cachedir>'
                '</fontconfig>\n')
    wine.env.update(WINEDEBUG="-all,+timestamp,+wgl,+sync", FONTCONFIG_FILE=fonts)
    try:
        game = start(wine, folder, "play")
    finally:
        wine.env["WINEDEBUG"] = "-all"
        del wine.env["FONTCONFIG_FILE"]
    display = game.display
    try:
        # Space, not Return: Return closes a dialog as it goes down, and Wine then hands the
        # game window an Enter that starts a game at once.
        answer(game, START_CAPTION, "space")
        # On a plain X server the display mode cannot be changed: the game offers a window.
        answer(game, WINDOWED_CAPTION, "space")
        wid = game.wait_window(GAME_CAPTION)
        time.sleep(3.0)  # the title panel slides in and its texts appear
        title = client_area(game, wid)
        display.hold(wid, "Return", 0.3)
        time.sleep(3.5)  # the panel slides away and the player lands
        display.hold(wid, "w", 0.6)
        display.hold(wid, "e", 0.15)
        time.sleep(0.2)
        arena = client_area(game, wid)
        title.save_png(os.path.join(workdir, "title.png"))
        arena.save_png(os.path.join(workdir, "play.png"))
        log(f"play: screenshots saved in {workdir}/title.png and play.png")
        display.hold(wid, "F1", 0.3)
        game.wait_exit("F1")
        log("play: F1 ended the game with code 0")
        check_pacing(game.stderr_path)
        check_title(title)
        check_arena(arena)
    finally:
        game.kill()


def play_recorded_round(game, seconds, jump="space"):
    """A round played by hand in the game's window: level 3, walking every way while turning
    with the mouse, casts, a jump (with the key named), a pause and its end, for about `seconds`
    of play."""
    display = game.display
    answer(game, START_CAPTION, "space")
    answer(game, WINDOWED_CAPTION, "space")
    wid = game.wait_window(GAME_CAPTION)
    time.sleep(3.0)  # the title panel slides in
    for keys in ("3", "Return"):
        display.hold(wid, keys, 0.3)
    time.sleep(1.5)
    moves = [("w", 40, 0), ("a", -30, 10), ("d", 25, -10), ("s", -35, 0)]
    actions = ["e", jump, "e", "c"]
    began, turn = time.monotonic(), 0
    while time.monotonic() - began < seconds:
        keys, dx, dy = moves[turn % len(moves)]
        display.xdotool("keydown", "--window", wid, keys)
        for _ in range(3):
            display.xdotool("mousemove_relative", "--", str(dx), str(dy))
            time.sleep(0.15)
        display.xdotool("keyup", "--window", wid, keys)
        display.hold(wid, actions[turn % len(actions)], 0.2)
        if turn == 2:
            display.hold(wid, "Escape", 0.3)
            time.sleep(1.0)
            display.hold(wid, "Return", 0.3)
        turn += 1
    return wid


def recorded(wine, folder, replay):
    """The exe's command line refused in a message box, exit code 2, and a recording that cannot
    be written said in one before the game; a round recorded with --record, J bound to the jump
    in the player's settings file, and checked by the Linux replay driver to the same end; a recording killed in mid game keeps the whole lines it
    had written, and plays."""
    refused = start(wine, folder, "refused", "--record")
    try:
        answer(refused, WINDOWED_CAPTION, "space")  # the message box is captioned as the game
        refused.wait_exit("refusing its command line", code=2)
    finally:
        refused.kill()
    log("recorded: --record without a file refused in a message box, exit code 2")
    unwritable = start(wine, folder, "unwritable", "--record", r"no\such\folder\round.replay")
    try:
        answer(unwritable, WINDOWED_CAPTION, "space")  # cannot record: said, and the game goes on
        answer(unwritable, START_CAPTION, "space")
        answer(unwritable, WINDOWED_CAPTION, "space")
        unwritable.display.hold(unwritable.wait_window(GAME_CAPTION), "F1", 0.3)
        unwritable.wait_exit("F1")
    finally:
        unwritable.kill()
    log("recorded: a recording that cannot be written said in a message box, the game played")
    # The player's settings in the prefix's %APPDATA%: J jumps instead of Space, and the
    # recording holds what the game read, Space.
    settings = wine.settings_file()
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    with open(settings, "w") as f:
        f.write("[keys]\r\njump = J\r\n")
    game = start(wine, folder, "recorded", "--record", "round.replay")
    try:
        wid = play_recorded_round(game, 12.0, jump="j")
        game.display.hold(wid, "F1", 0.3)
        game.wait_exit("F1")
    finally:
        game.kill()
        os.remove(settings)
    with open(os.path.join(folder, "round.replay"), encoding="utf-8") as f:
        held = {k for l in f if l.startswith("frames ") for k in l.split("mouse")[0].split()[2:]}
    expect("SPACE" in held and "J" not in held,
           f"with jump = J in {settings} the recording holds {sorted(held)}: J was not the jump")
    log("recorded: the settings file in %APPDATA% was read: J jumped, recorded as Space")
    checked = subprocess.run([replay, "--check", os.path.join(folder, "round.replay")],
                             env=dict(wine.display.env, SDL_AUDIODRIVER="dummy"),
                             capture_output=True, text=True, timeout=120)
    said = (checked.stdout + checked.stderr).strip()
    frames = said.rsplit(": ", 1)[-1].split(" ")[0]
    expect(checked.returncode == 0 and said.startswith("the recording replays to the same end:")
           and int(frames) >= 1000, f"the Linux check of the Windows recording: {said}")
    log(f"recorded: the Windows recording checked on Linux: {said}")

    killed = start(wine, folder, "killed", "--record", "killed.replay")
    try:
        play_recorded_round(killed, 2.0)
        time.sleep(1.5)  # written at least once a second
    finally:
        killed.kill()
    with open(os.path.join(folder, "killed.replay"), "rb") as f:
        text = f.read()
    commands = [l.split()[0] for l in text.decode("utf-8").splitlines() if l and not l.startswith("#")]
    expect(text.endswith(b"\n") and commands[:3] == ["answer", "display", "answer"] and "frames" in commands,
           f"the killed game's recording holds {commands[:6]}, ending {text[-20:]!r}")
    played = subprocess.run([replay, "--dump", "last", os.path.join(folder, "killed.replay")],
                            env=dict(wine.display.env, SDL_AUDIODRIVER="dummy"),
                            capture_output=True, text=True, timeout=120)
    expect(played.returncode == 0, f"the killed game's recording does not play: {played.stderr}")
    log(f"recorded: killed in mid game, the recording kept {len(commands)} whole lines and plays")


def missing_texture(wine, folder):
    broken = folder + "-missing-texture"
    shutil.rmtree(broken, ignore_errors=True)
    shutil.copytree(folder, broken)
    os.remove(os.path.join(broken, "Data", "Textures", "1S.bmp"))
    game = start(wine, broken, "failure")
    try:
        answer(game, START_CAPTION, "space")
        answer(game, WINDOWED_CAPTION, "space")
        answer(game, ERROR_CAPTION, "space")
        game.wait_exit("the error message")
        log("failure: the missing texture was reported in Russian and the game ended with code 0")
    finally:
        game.kill()


def english(wine, folder):
    # A wineserver started under the Russian locale would keep its code page: it goes first.
    wine.stop()
    wine.env["LC_ALL"] = "en_US.UTF-8"
    # And a Windows without XInput: the game runs, controller-less, saying nothing of it.
    wine.env["WINEDLLOVERRIDES"] += ";xinput1_4,xinput1_3,xinput9_1_0=d"
    game = start(wine, folder, "english")
    try:
        answer(game, START_CAPTION, "space")
        answer(game, WINDOWED_CAPTION, "space")
        wid = game.wait_window(GAME_CAPTION)
        # An instant tap, sent while the game may still build its fonts: the press and its
        # release are then both waiting when it reads its messages, and the release waits a
        # frame, so that the game sees the key down.
        game.display.tap(wid, "F1")
        game.wait_exit("F1")
        log("english: Russian captions under code page 1252, a tap of F1 ended the game with code 0")
    finally:
        game.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--package", required=True)
    parser.add_argument("--workdir", required=True)
    parser.add_argument("--replay", help="the Linux replay driver, to check a Windows recording")
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
    expect(top == [expected], f"the package holds {top}, not the one folder {expected}/")
    folder = os.path.join(unpacked, expected)
    for name in ("trimvald.exe", "Data", "README.txt", "LICENSE.txt"):
        expect(os.path.exists(os.path.join(folder, name)), f"the package's folder holds no {name}")

    started = time.monotonic()
    display = Display("1024x768x24", workdir)
    wine = Wine(workdir, display)
    try:
        wine.prepare()
        cases = [("play", lambda: play(wine, folder, workdir)),
                 ("failure", lambda: missing_texture(wine, folder))]
        if args.replay:
            cases.append(("recorded", lambda: recorded(wine, folder, os.path.abspath(args.replay))))
        failed = run_cases(cases + [("english", lambda: english(wine, folder))])
    finally:
        wine.stop()
        display.close()
    if not failed:
        log(f"passed in {time.monotonic() - started:.1f} s")
    return failed


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (Failure, subprocess.SubprocessError, OSError, zipfile.BadZipFile) as failure:
        print(f"wine smoke: FAILED: {failure}", file=sys.stderr)
        sys.exit(1)
