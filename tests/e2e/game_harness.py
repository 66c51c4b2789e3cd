"""run_game.py's harness: the real game started on a private Xvfb as its cases want it, its
first windows opened (fullscreen, framed, scaled), its frames checked against the game's pace,
its recordings checked with the replay driver, the cases that open, play and quit, and the
command line that plays a group of cases on one screen.

tests/e2e/run_game.py holds the cases and their groups and imports it; what every end-to-end
test shares (the display, the game's process, screenshots) is tests/harness.py's."""
import argparse
import functools
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from collections import namedtuple

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import harness  # noqa: E402
from harness import (GAME_CAPTION, START_CAPTION, WINDOWED_CAPTION, Display,  # noqa: E402
                     Screenshot, expect, open_windowed)

CASE_TIME_LIMIT = 15.0  # seconds
PLAY_SECONDS = 1.0
# The game waits 10 ms in every frame, so it can never show more than 100 frames a second.
MAX_FRAME_RATE = 102.0
# A loop that stalls shows a few frames a second; llvmpipe drawing the scaled picture while
# another test takes the second core shows 35 to 75.
MIN_FRAME_RATE = 20.0
MIN_FRAME_GAP_MS = 9.5
# On the no-op driver a frame is 10 ms of waiting and half a millisecond of the game's work; a
# wait that spins takes a whole core. On a machine busy with other work a woken game waits for a
# core: 12 to 16 ms medians were seen with two compilers beside the suite.
MAX_MEDIAN_GAP_MS = 25.0
MAX_WAITING_CPU = 0.6
# Screenshots of the cases that look at the picture, and recordings, kept for a person to look
# at (in the current folder unless --shots says where).
SHOTS_DIR = "e2e-shots"


# Each case: the function given its started game, the function that starts the game
# (display, args, workdir, name), and whether it is a picture case. The cases that look at the
# picture, and the round the leak check and the package check play, draw with llvmpipe; the
# others on Mesa's no-op driver, which takes every GL call and draws nothing, so that they cost
# the machine little and run beside other tests at full pace.
Case = namedtuple("Case", "run start picture")
CASES = {}


def case(start=None, picture=False):
    """Makes case_NAME the case NAME, its game started by `start` (by Game by default)."""
    def register(run):
        CASES[run.__name__[len("case_"):]] = Case(run, start or Game, picture)
        return run
    return register


def starter(**how):
    """Starts the game as Game does with these arguments (changes=, record=...)."""
    return lambda display, args, workdir, name: Game(display, args, workdir, name, **how)


def settings_folder(workdir, name):
    return os.path.join(workdir, name + ".config")


def settings_file(workdir, name, text):
    """Writes the settings file the game called `name` reads."""
    folder = os.path.join(settings_folder(workdir, name), "trimvald")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "settings.ini"), "w", encoding="utf-8") as f:
        f.write(text)


class Game(harness.Game):
    """The game on the display, started at once. `changes` alters its environment: a value of
    None removes the variable. A recorded game writes WORKDIR/NAME.replay."""

    def __init__(self, display, args, workdir, name, changes=None, argv=(), program=None, cwd=None,
                 record=False):
        # Each game has a settings folder of its own, empty unless the case writes a file there
        # (settings_file): the settings of the machine's user never count.
        env = dict(display.env, SDL_AUDIODRIVER="dummy", LIBGL_ALWAYS_SOFTWARE="1",
                   XDG_CONFIG_HOME=settings_folder(workdir, name))
        if name not in CASES or not CASES[name].picture:
            env["GALLIUM_NOOP"] = "true"
        env.update(changes or {})
        env = {key: value for key, value in env.items() if value is not None}
        self.noop = env.get("GALLIUM_NOOP") == "true"
        self.args = args
        if record:
            self.recording = os.path.join(workdir, name + ".replay")
            argv = ["--record", self.recording, *argv]
        super().__init__([program or args.game, *argv], env, workdir, name, CASE_TIME_LIMIT,
                         display=display, preload=args.preload, cwd=cwd)



def check_frames(game, ended_by):
    """The frames shown: at the game's own pace, after it asked for swaps that wait for no
    monitor, and on the no-op driver without a core spent on waiting (sanity bounds; the
    figures themselves are scripts/pacing_bench.py's)."""
    report = game.report()
    swaps = report["swaps"]
    expect(swaps >= 20, f"only {swaps} frames were shown before {ended_by}")
    rate = (swaps - 1) / (report["span_ns"] / 1e9)
    min_gap = report["min_gap_ns"] / 1e6
    median_gap = report["median_gap_ns"] / 1e6
    cpu = report["cpu_ns"] / report["span_ns"]
    print(f"    {swaps} frames, {rate:.1f} frames/s, shortest frame {min_gap:.2f} ms, median "
          f"{median_gap:.2f} ms, {100 * cpu:.0f}% of a core")
    expect(rate <= MAX_FRAME_RATE, f"{rate:.1f} frames/s: faster than the 10 ms frame wait allows")
    expect(rate >= MIN_FRAME_RATE, f"{rate:.1f} frames/s: the frame loop stalls")
    expect(min_gap >= MIN_FRAME_GAP_MS,
           f"a frame took only {min_gap:.2f} ms: it skipped the 10 ms wait")
    expect(report.get("interval_asked") == 0 and report.get("interval") == 0,
           f"swap interval asked for: {report.get('interval_asked')}, SDL reported "
           f"{report.get('interval')}: not 0, the swaps wait for the monitor")
    if game.noop:
        expect(median_gap <= MAX_MEDIAN_GAP_MS, f"the median frame took {median_gap:.2f} ms")
        expect(cpu <= MAX_WAITING_CPU, f"the game took {100 * cpu:.0f}% of a core drawing "
               "nothing: its wait spins instead of sleeping")


def open_fullscreen(game):
    """Says yes to the start prompt; the desktop is at least 800x600, so no other dialog may
    come, and the window covers the whole screen."""
    display = game.display
    display.tap(game.wait_window(START_CAPTION), "Return")
    window = game.wait_window(GAME_CAPTION, forbidden=(WINDOWED_CAPTION,))
    deadline = time.monotonic() + 2
    while True:
        geometry = display.geometry(window)
        if geometry == (0, 0, *display.size) or time.monotonic() > deadline:
            break
        time.sleep(0.05)
    expect(geometry == (0, 0, *display.size),
           f"the game window is at {geometry[:2]} sized {geometry[2]}x{geometry[3]}, "
           f"not covering the {display.size[0]}x{display.size[1]} screen")
    return window


def open_framed(game):
    """The window manager frames the 800x600 client area, its outer corner at the screen's."""
    window = open_windowed(game)
    extents = game.display.xprop("-id", window, "_NET_FRAME_EXTENTS").split("=")[-1]
    left, _, top, _ = (int(v) for v in extents.split(","))
    expect(top > 0, f"the window manager drew no frame: {extents.strip()}")
    # xdotool adds the frame's offset twice for a framed window; xwininfo does not.
    client = tuple(int(line.split(":")[1]) for line in
                   game.display.run("xwininfo", "-id", window).stdout.splitlines()
                   if "Absolute upper-left" in line)
    expect(client == (left, top), f"the client area is at {client}, so the frame's outer "
           f"corner is at {(client[0] - left, client[1] - top)}, not (0, 0)")
    return window


def save_shot(game, name):
    shot = Screenshot(game.display.env)
    os.makedirs(game.args.shots, exist_ok=True)
    path = os.path.join(game.args.shots, name + ".png")
    shot.save_png(path)
    print(f"    screenshot {os.path.abspath(path)}")
    return shot


def open_scaled(game):
    """Fullscreen covers the desktop in its own mode, the picture scaled to it."""
    display = game.display
    before = display.current_mode()
    window = open_fullscreen(game)
    time.sleep(PLAY_SECONDS)
    expect(display.current_mode() == before,
           f"the screen's mode changed from {before} to {display.current_mode()}")
    width, height = display.size
    picture = height * 4 // 3 if width * 3 > height * 4 else width
    bar = (width - picture) // 2
    rows = range(0, height, 16)

    def reaching_edges(shot):
        return sum(1 for y in rows if shot.rgb(bar + 2, y) != (0, 0, 0)) + \
            sum(1 for y in rows if shot.rgb(width - bar - 3, y) != (0, 0, 0))
    # The title panel's halves slide in from the picture's edges: on a busy machine they may
    # still be on their way after a second.
    for _ in range(10):
        shot = save_shot(game, f"fullscreen-{width}x{height}")
        if reaching_edges(shot) > len(rows):
            break
        time.sleep(0.5)
    if bar:
        black = all(shot.rgb(x, y) == (0, 0, 0) for y in rows for x in (0, bar - 2,
                                                                         width - bar + 1, width - 1))
        expect(black, f"the bars beside the {picture}-pixel-wide picture are not black")
    expect(reaching_edges(shot) > len(rows), f"the picture does not reach its edges at x={bar} and "
           f"x={width - bar - 1}: it is not scaled to {picture}x{height}")
    return window


def expect_on_stderr(game, line):
    expect(line in game.stderr_lines(),
           f"the game did not write {line!r} to stderr; game output:\n{game.stderr_tail()}")


# Recorded sessions: the game started with --record, played by hand through xdotool; the file
# must replay to the end it recorded, which --check proves field by field, its frame count first.
start_recording = starter(record=True)


def recorded_commands(path):
    """The first word of each of the recording's lines, its comments left out."""
    with open(path, encoding="utf-8") as f:
        return [l.split()[0] for l in f if l.split("#", 1)[0].strip()]


def check_recording(game, recording=None):
    recording = recording or game.recording
    # The check draws nothing by itself (Mesa's no-op driver, chosen by the replay driver).
    # The driver's own leaks are checked by leaks.replay, where Mesa's driver stays mapped to be named.
    env = dict(game.display.env, SDL_AUDIODRIVER="dummy", LIBGL_ALWAYS_SOFTWARE="1")
    env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
    result = subprocess.run([game.args.replay, "--check", recording], env=env, capture_output=True,
                            text=True, timeout=120)
    return result.returncode, result.stdout.strip() + result.stderr.strip()


def expect_replays(game):
    """The recording replays to its end; returns that end's state."""
    os.makedirs(game.args.shots, exist_ok=True)
    shutil.copy(game.recording, game.args.shots)  # kept for a person to look at, as the screenshots
    code, said = check_recording(game)
    replayed = re.fullmatch(r"the recording replays to the same end: (\d+) frames", said)
    expect(code == 0 and replayed, f"--check exited with {code}: {said}")
    print(f"    {replayed[1]} frames recorded, replayed to the same end")
    with open(game.recording, encoding="utf-8") as f:
        return json.loads([l for l in f if l.startswith("# end ")][-1][len("# end "):])


def expect_altered_end_fails(game, end):
    """One field of the recording's end changed: the check names it."""
    altered = game.recording + ".altered"
    with open(game.recording, encoding="utf-8") as f:
        text = f.read()
    health = f'"health": {json.dumps(end["health"])}'
    expect(health in text, f"no {health} in the end line")
    with open(altered, "w", encoding="utf-8") as f:
        f.write(text.replace(health, '"health": 12345'))
    code, said = check_recording(game, altered)
    expect(code == 1 and said == "the recording does not replay to its end: health recorded 12345, "
           f"replayed {json.dumps(end['health'])}", f"--check of an altered end exited with {code}: {said}")



def played(open, windowed, quit="F1", keys=(), after=None, start=Game, picture=False, tap=False):
    """A case that opens the game with `open` (which checks what it shows first and returns its
    window), holds the keys a second later (Enter counts once the title panel is in place), and
    the quit key a second after them; with `tap`, presses and lets go of each at once instead,
    between two of the game's frames. The game must end with exit code 0 having shown both
    questions and played in a window, or the first and asked for fullscreen; one window, frames
    at its own pace. `after` checks more once it has ended."""
    def run(game):
        press = game.display.tap if tap else game.display.hold
        window = open(game)
        if keys:
            time.sleep(PLAY_SECONDS)
            for key in keys:
                press(window, key)
        time.sleep(PLAY_SECONDS)
        expect(game.process.poll() is None,
               f"the game ended on its own with {game.process.returncode} while playing")
        press(window, quit)
        game.wait_exit(quit)
        report = game.report()
        boxes = [START_CAPTION, WINDOWED_CAPTION] if windowed else [START_CAPTION]
        expect(report["box"] == boxes, f"dialogs shown: {report['box']}")
        expect(report["windows"] == 1, f"{report['windows']} game windows were created")
        if windowed:
            expect(report["fullscreen"] == 0, "the windowed game switched to fullscreen")
        else:
            expect(report["fullscreen"] >= 1, "the game window never asked for fullscreen")
        check_frames(game, quit)
        if after:
            after(game)
    return Case(run, start, picture)



# A group of cases, one CTest test: its cases (named in one string) played in order on one Xvfb
# screen, with openbox on it (wm), an 800x600 mode beside its own, arguments added to Xvfb's
# command line, and a server that starts afresh when its last client leaves (resets).
Group = namedtuple("Group", "screen cases wm mode_800x600 server_args resets",
                   defaults=(False, False, (), False))


def add_800x600_mode(display):
    """A second mode the game could switch to; it must not."""
    for command in (["xrandr", "--newmode", "800x600_60", "38.25", "800", "832", "912", "1024",
                     "600", "603", "607", "624", "-hsync", "+vsync"],
                    ["xrandr", "--addmode", "screen", "800x600_60"]):
        result = display.run(*command)
        expect(result.returncode == 0, f"{' '.join(command)} failed: {result.stderr.strip()}")



def main(groups):
    """run_game.py's command line, over its groups of cases; gives the exit code."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--list-groups", action="store_true",
                        help="print each group's name, with 'llvmpipe' after it where it has a "
                             "picture case, and end")
    parser.add_argument("--group", choices=sorted(groups), help="play this group's cases")
    parser.add_argument("--game")
    parser.add_argument("--preload")
    parser.add_argument("--replay", help="the replay driver, for the recorded cases")
    parser.add_argument("--shots", default=SHOTS_DIR, help="where screenshots and recordings are kept")
    parser.add_argument("--screen", help="Xvfb screen, e.g. 1024x768x24")
    parser.add_argument("--wm", action="store_true", help="run openbox on the screen")
    parser.add_argument("--mode-800x600", action="store_true",
                        help="give the screen an 800x600 mode beside its own")
    parser.add_argument("--server-arg", action="append", default=[], dest="server_args",
                        help="an argument added to Xvfb's command line; may be repeated")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=f"one of {', '.join(sorted(CASES))}")
    args = parser.parse_args()
    if args.list_groups:
        for name, group in groups.items():
            picture = any(CASES[c].picture for c in group.cases.split())
            print(name + (" llvmpipe" if picture else ""))
        return 0
    group = groups[args.group] if args.group else Group(args.screen, " ".join(args.cases), args.wm,
                                                        args.mode_800x600, args.server_args)
    cases = group.cases.split()
    if not (args.game and args.preload and group.screen and cases and set(cases) <= set(CASES)):
        parser.error("give --game, --preload, and --group or --screen with cases")
    args.game = os.path.abspath(args.game)
    args.replay = args.replay and os.path.abspath(args.replay)
    args.preload = " ".join(os.path.abspath(p) for p in args.preload.split())

    with tempfile.TemporaryDirectory(prefix="trimvald-e2e-") as workdir:
        display = Display(group.screen, workdir, group.server_args, group.wm, group.resets)
        try:
            if group.mode_800x600:
                add_800x600_mode(display)

            def run(name):
                game = CASES[name].start(display, args, workdir, name)
                try:
                    CASES[name].run(game)
                finally:
                    game.kill()
            return harness.run_cases([(name, functools.partial(run, name)) for name in cases])
        finally:
            display.close()
