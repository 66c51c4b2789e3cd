#!/usr/bin/env python3
"""Plays short sessions of the real game under a private Xvfb and checks how they go.

Usage: run_game.py --game PATH --preload PATH [--replay PATH] --group NAME
       run_game.py --game PATH --preload PATH [--replay PATH] --screen WxHxD [--wm]
                   [--mode-800x600] [--server-arg=ARG]... CASE...
       run_game.py --list-groups

Each case starts the game, answers its dialogs and presses keys with xdotool, and reads what
the game did on screen from the report of the preloaded swap counter. A case that hangs is
killed after a hard time limit and fails. A group (GROUPS) is a screen and the cases played on
it, in order; CTest runs one test per group, as --list-groups tells it.
"""
import functools
import json
import os
import shutil
import signal
import struct
import sys
import time

from game_harness import (CASES, PLAY_SECONDS, Case, Game, Group, case, check_frames,
                          expect_altered_end_fails, expect_on_stderr, expect_replays, main,
                          open_framed, open_fullscreen, open_scaled, played, recorded_commands,
                          save_shot, settings_file, start_recording, starter)
from harness import (DEGREES_PER_PIXEL, ERROR_CAPTION, GAME_CAPTION, START_CAPTION,
                     KEY_HOLD_SECONDS, Screenshot, cue_path, expect, game_text, open_windowed)


def open_unwritable(game):
    """A recording that cannot be written is said at once, and the game is played as ever."""
    window = open_fullscreen(game)
    expect(any(l.startswith("Тримвальд: cannot record into ") for l in game.stderr_lines()),
           f"nothing said of the unwritable recording; game output:\n{game.stderr_tail()}")
    return window


def open_questions_on_stderr(game):
    """Without the X server's core fonts SDL's dialogs cannot be drawn: each question goes to
    stderr and is answered with its default button, Yes."""
    window = game.wait_window(GAME_CAPTION)
    expect_on_stderr(game, f"{START_CAPTION}: {game_text('startPrompt')} [yes]")
    expect_on_stderr(game, game_text("windowedOffer").split("\n")[-1] + " [yes]")
    return window


def start_recording_nowhere(display, args, workdir, name):
    return Game(display, args, workdir, name, argv=["--record", os.path.join(workdir, "no", "such.replay")])


def expect_windowed_recording(game):
    """The failed fullscreen request and both answers replay."""
    expect_replays(game)
    with open(game.recording, encoding="utf-8") as f:
        said = [l.strip() for l in f if l.startswith(("answer", "display"))]
    expect(said == ["answer yes", "display fail", "answer yes"], f"the recording says {said}")


def expect_game_started(game):
    """Enter started a game, and the recording replays to its end."""
    end = expect_replays(game)
    expect(end["gameRunning"] == 1, "the tapped Enter started no game")


# The cases that open the game, maybe play a few keys, and quit with a key.
CASES.update({
    "windowed_f1": played(open_windowed, True, after=expect_windowed_recording, start=start_recording),
    # No game is running behind the title screen, so Escape quits.
    "windowed_escape": played(open_windowed, True, "Escape"),
    "windowed_framed": played(open_framed, True),
    # Instant taps (a remote desktop's, an on-screen keyboard's): each is seen for a frame.
    "fullscreen_f1": played(open_fullscreen, False, keys=("Return",), after=expect_game_started,
                            start=start_recording, tap=True),
    "fullscreen_alt_f4": played(open_fullscreen, False, "alt+F4"),
    # A game started and walked in, so that its cues are loaded and played; it replays to its end.
    "played_f1": played(open_fullscreen, False, keys=("Return", "w", "space"), after=expect_replays,
                        start=start_recording, picture=True),
    "fullscreen_desktop": played(open_scaled, False, picture=True),
    "recording_unwritable": played(open_unwritable, False, start=start_recording_nowhere),
    "questions_on_stderr": played(open_questions_on_stderr, True),
})


@case(starter(changes={"LANG": None, "LC_ALL": None, "LC_CTYPE": None, "LC_MESSAGES": None}))
def case_decline(game):
    """With no locale named at all (the C locale, as under many launchers and kiosks), the start
    question still shows its Cyrillic text and buttons; No ends the game before its window."""
    dialog = game.wait_window(START_CAPTION)
    time.sleep(0.5)  # drawn
    shot = Screenshot(game.display.env, dialog)
    os.makedirs(game.args.shots, exist_ok=True)
    shot.save_png(os.path.join(game.args.shots, "question_c_locale.png"))
    lit = sum(1 for row in shot.rows for i in range(0, len(row), 3) if sum(row[i:i + 3]) > 500)
    expect(lit >= 300, f"the start question shows {lit} light pixels of text: an empty box")
    game.display.tap(dialog, "Escape")
    game.wait_exit("answering No at the start")
    report = game.report()
    expect(report["box"] == [START_CAPTION], f"dialogs shown: {report['box']}")
    expect(report["windows"] == 0, "a game window was created although the player said No")
    expect(report["swaps"] == 0, f"{report['swaps']} frames were shown after saying No")


@case(start_recording)
def case_mouse_look(game):
    """Relative motion turns the view; minimised, the pointer is the user's and turns nothing;
    restored, the motion counts again. The round is played as a player would (a level chosen,
    walking while turning, a cast, a jump, a pause and its end) and recorded: the recording
    replays to its end, with the minimising and restoring in their places and the view turned
    by the captured motion alone, and fails the check when one field of its end is altered."""
    display = game.display
    window = open_fullscreen(game)
    # The camera is drawn once a game has started and the title panel has slid away, but the
    # view turns from the first frame on, from yaw and pitch 0: the turn is the motion's sum.
    # Enter counts once the panel is in place, later on a slow build: a second press starts the
    # game if the first came too early, and does nothing in a game under way.
    time.sleep(PLAY_SECONDS)
    display.hold(window, "3")
    display.hold(window, "Return")
    start = display.pointer()
    display.xdotool("keydown", "--window", window, "w")
    display.xdotool("mousemove_relative", "--", "-150", "50")
    time.sleep(0.5)
    display.xdotool("keyup", "--window", window, "w")
    moved = display.pointer()
    expect(moved == (start[0] - 150, start[1] + 50),
           f"the pointer went from {start} to {moved}: it was warped")
    display.xdotool("windowunmap", window)
    time.sleep(0.5)
    display.xdotool("mousemove", "100", "100")
    display.xdotool("mousemove_relative", "--", "300", "0")
    time.sleep(0.5)
    expect(display.pointer() == (400, 100),
           f"the pointer is at {display.pointer()} while the game is minimised, not where "
           "it was put, (400, 100)")
    display.xdotool("windowmap", window)
    time.sleep(1.0)
    for keys in ("Return", "e", "space", "Escape"):
        display.hold(window, keys)
    time.sleep(PLAY_SECONDS)  # paused until the panel is back in place
    display.hold(window, "Return")
    display.xdotool("mousemove_relative", "--", "-50", "0")
    time.sleep(1.5)  # the panel slides away over a second, and the camera is drawn again
    display.hold(window, "F1")
    game.wait_exit("F1")
    report = game.report()
    expect("yaw" in report, f"the game drew no camera: {report}")
    expected = (200 * DEGREES_PER_PIXEL, 50 * DEGREES_PER_PIXEL)
    # The game's last camera, and the recorded end, which the replay must reach: the recording
    # holds the captured motion and nothing of what was sent while minimised.
    end = expect_replays(game)
    for name, turned in (("game's view", (report["yaw"], report["pitch"])),
                         ("recorded end", (end["yaw"], end["pitch"]))):
        expect(all(abs(t - e) < 0.01 for t, e in zip(turned, expected)),
               f"the {name} turned by {turned[0]:.3f} (yaw) and {turned[1]:.3f} (pitch) "
               f"degrees, not {expected[0]:.1f} and {expected[1]:.1f}")
    commands = recorded_commands(game.recording)
    expect("minimize" in commands and "restore" in commands[commands.index("minimize"):],
           f"no minimise and restore recorded: {[c for c in commands if c != 'frames']}")
    expect(commands[:2] == ["answer", "display"] and end["difficulty"] == 3 and end["gameRunning"],
           f"the recording begins {commands[:2]} and ends at level {end['difficulty']}, "
           f"running {end['gameRunning']}: not the round that was played")
    expect_altered_end_fails(game, end)


@case(start_recording)
def case_fullscreen_killed(game):
    """A game killed outright leaves the desktop's mode as it was, and its recording up to a
    second before the kill."""
    display = game.display
    before = display.current_mode()
    open_fullscreen(game)
    time.sleep(2.0)  # the recording is flushed a second after the first frame
    game.process.send_signal(signal.SIGKILL)
    game.process.wait(5)
    time.sleep(0.5)
    expect(display.current_mode() == before,
           f"the screen's mode is {display.current_mode()} after kill -9, not {before}")
    lines = recorded_commands(game.recording)
    expect(lines[:2] == ["answer", "display"] and "frames" in lines,
           f"the killed game's recording holds {lines[:5]}: not its first second")


@case(start_recording)
def case_recorded_closed(game):
    """A click of the left button casts as E does; the window closed from the window manager
    (Alt+F4 there): the session ends with close."""
    display = game.display
    window = open_fullscreen(game)
    time.sleep(PLAY_SECONDS)
    display.hold(window, "Return")
    display.xdotool("mousedown", "1")
    time.sleep(KEY_HOLD_SECONDS)
    display.xdotool("mouseup", "1")
    display.xdotool("windowactivate", window, check=False)
    display.xdotool("key", "alt+F4")
    game.wait_exit("closing the window")
    expect_replays(game)
    commands = recorded_commands(game.recording)
    expect(commands[-1] == "close", f"the recording ends with {commands[-3:]}, not close")
    with open(game.recording, encoding="utf-8") as f:
        expect(any(l.startswith("frames ") and "E" in l.split()[2:] for l in f),
               "the click held no E in any frame")


# A round played with a game controller alone (SDL's virtual one, plugged in by the preloaded
# counter), in SDL's numbering of its axes and buttons.
PAD_AXES = {"left_y": 1, "right_x": 2, "right_trigger": 5}
PAD_BUTTONS = {"a": 0, "b": 1, "back": 4, "start": 6, "dpad_up": 11, "dpad_right": 14}


def start_with_pad(display, args, workdir, name):
    pad = os.path.join(workdir, name + ".pad")
    open(pad, "w").close()
    game = Game(display, args, workdir, name, {"TRIMVALD_VIRTUAL_PAD": pad}, record=True)
    game.pad = pad
    return game


def pad(game, control, value=None, seconds=KEY_HOLD_SECONDS):
    """Sets a control (a button 1 or 0, an axis -32768 to 32767) of the controller plugged in
    last, or plugs in another ("plug") or pulls out the first ("unplug"), and waits a while."""
    if value is None:
        line = control
    else:
        kind = "axis" if control in PAD_AXES else "button"
        line = f"{kind} {(PAD_AXES if kind == 'axis' else PAD_BUTTONS)[control]} {value}"
    with open(game.pad, "a") as f:
        f.write(line + "\n")
    time.sleep(seconds)


def press(game, button):
    pad(game, button, 1)
    pad(game, button, 0)


@case(start_with_pad)
def case_gamepad_round(game):
    """A whole round with the controller alone: a level chosen (d-pad up: 5), started (Start),
    walked (left stick), the controller pulled out while its stick is held and a second one
    plugged in before taking over, turned (right stick), a jump (A), a crouch (B), a cast
    (right trigger), the next spell (d-pad right), a pause (Back) and its end (Start), a pause
    and Back again to quit. It records as keys and cursor motion, and replays to its end; the
    walk stops when its controller goes."""
    window = open_fullscreen(game)
    time.sleep(PLAY_SECONDS)
    press(game, "dpad_up")
    press(game, "start")
    time.sleep(2.0)  # the panel slides away and the player lands
    pad(game, "left_y", -32767, 0.5)
    pad(game, "plug", seconds=0.3)
    pad(game, "unplug", seconds=1.0)  # the first, its stick still held forward
    pad(game, "right_x", 32767, 0.5)  # 180 degrees a second
    pad(game, "right_x", 0, 0.1)
    for button in ("a", "b", "dpad_right"):
        press(game, button)
    pad(game, "right_trigger", 32767)
    pad(game, "right_trigger", 0)
    press(game, "back")
    time.sleep(PLAY_SECONDS)
    press(game, "start")
    time.sleep(PLAY_SECONDS)
    press(game, "back")
    time.sleep(PLAY_SECONDS)
    press(game, "back")
    game.wait_exit("Back twice")
    end = expect_replays(game)
    with open(game.recording, encoding="utf-8") as f:
        held = {k for l in f if l.startswith("frames ") for k in l.split("mouse")[0].split()[2:]}
    wanted = {"5", "ENTER", "W", "SPACE", "C", "E", "2", "ESC"}
    expect(wanted <= held, f"the recording holds {sorted(held)}, not all of {sorted(wanted)}")
    # W (the first controller's stick) was let go when it was pulled out: no frame after the
    # first turn (the second controller's) walks.
    with open(game.recording, encoding="utf-8") as f:
        runs = [l.split() for l in f if l.startswith("frames ")]
    turned = next((i for i, r in enumerate(runs) if "mouse" in r), len(runs))
    walked = [i for i, r in enumerate(runs[:turned]) if "W" in r[2:]]
    still = sum(int(r[1]) for r in runs[walked[-1] + 1:turned]) if walked else 0
    expect(turned < len(runs) and not any("W" in r[2:] for r in runs[turned:]),
           "W was still held when the second controller turned the view")
    expect(still > 30, f"the player stood still for {still} frames between the pull and the turn")
    report = game.report()
    expect(end["difficulty"] == 5 and 60 < (360 - report["yaw"]) % 360 < 120,
           f"level {end['difficulty']}, the view turned to {report.get('yaw')}: not the round played")
    del window


def recorded_frames(path):
    with open(path, encoding="utf-8") as f:
        return sum(int(l.split()[1]) for l in f if l.startswith("frames "))


LONG_ROUND_FRAMES = 2100


ONLY_CLIENT_STARTS = 20


@case()
def case_only_client(game):
    """Started on a server that resets as soon as no client is left, the game keeps its own
    connection from before the start question to its end: no start loses the display between
    the question and the game window."""
    for start in range(ONLY_CLIENT_STARTS):
        if start:
            game = Game(game.display, game.args, os.path.dirname(game.report_path), "only_client")
        try:
            window = open_fullscreen(game)
            game.display.hold(window, "F1")
            game.wait_exit(f"F1 (start {start + 1})")
            expect(game.report()["windows"] == 1, f"start {start + 1} made no game window")
        finally:
            game.kill()
    print(f"    {ONLY_CLIENT_STARTS} starts, each reaching the game window")


@case(start_recording)
def case_recorded_long(game):
    """A long round played by hand, over 2,000 frames: walking every way while turning, the
    spells chosen and cast, jumps and crouches, a pause; it replays to its end."""
    display = game.display
    game.allow(150)
    window = open_fullscreen(game)
    time.sleep(PLAY_SECONDS)
    # Level 1, so that the player outlives the round; a pause once, early: an Escape after a
    # game over would end the game.
    for keys in ("1", "Return", "Return"):
        display.hold(window, keys)
    moves = [("w", 120, 0), ("a", -40, 15), ("d", 75, -20), ("s", -200, 5), ("w+d", 30, 30),
             ("w+a", -90, -25)]
    # Enter now and then starts a new game after a game over, and does nothing in one under way.
    actions = ["e", "space", "c", "2", "e", "Return", "shift", "3", "e", "4", "ctrl", "1", "e+w",
               "Return"]
    turn = 0
    while recorded_frames(game.recording) < LONG_ROUND_FRAMES:
        game.time_left(f"{LONG_ROUND_FRAMES} recorded frames")
        expect(game.process.poll() is None, f"the game ended with {game.process.returncode} "
               f"after {recorded_frames(game.recording)} frames")
        keys, dx, dy = moves[turn % len(moves)]
        display.xdotool("keydown", "--window", window, keys)
        for _ in range(3):
            display.xdotool("mousemove_relative", "--", str(dx // 3), str(dy // 3))
            time.sleep(0.15)
        display.xdotool("keyup", "--window", window, keys)
        display.hold(window, actions[turn % len(actions)])
        if turn == 3:
            display.hold(window, "Escape")
            time.sleep(PLAY_SECONDS)
            display.hold(window, "Return")
        turn += 1
    display.hold(window, "F1")
    game.wait_exit("F1")
    end = expect_replays(game)
    expect(end["frame"] >= 2000, f"only {end['frame']} frames were played")


# Watching a script: the replay driver shows the game in a window at its own pace and plays its
# cues (SDL's disk driver writes what it plays to a file); Escape stops it.
WATCHED_SCRIPT = """answer yes
frames 150
frames 10 3
frames 10 ENTER
frames 300 W mouse 2 0
frames 10 E
frames 3000
"""


def start_watching(display, args, workdir, name):
    script = os.path.join(workdir, name + ".replay")
    with open(script, "w") as f:
        f.write(WATCHED_SCRIPT)
    game = Game(display, args, workdir, name, argv=["--watch", script], program=args.replay,
                changes={"SDL_AUDIODRIVER": "disk",
                         "SDL_DISKAUDIOFILE": os.path.join(workdir, name + ".sound")})
    game.sound = os.path.join(workdir, name + ".sound")
    return game


@case(start_watching, picture=True)
def case_watched(game):
    window = game.wait_window(GAME_CAPTION)
    # Enter, held over frames 161 to 170, starts the game with a cue at its first frame; the
    # arena is seen after it. Half a second after the cue the Escape comes well after frame 170
    # (a screenshot is taken in a moment, so it gives no such delay).
    while not (os.path.exists(game.sound) and any(open(game.sound, "rb").read())):
        game.time_left("the watched game's first sound")
        time.sleep(0.1)
    time.sleep(0.5)
    for _ in range(8):
        shot = save_shot(game, "watched")
        lit = sum(1 for y in range(0, 600, 20) for x in range(0, 800, 20) if shot.rgb(x, y) != (0, 0, 0))
        if lit > 600:
            break
        time.sleep(0.4)
    expect(lit > 600, f"only {lit} of 1200 points of the watched window are lit")
    game.display.hold(window, "Escape")
    game.wait_exit("Escape")
    ended = [json.loads(l) for l in game.stderr_lines() if l.startswith('{"exit"')]
    expect(ended and ended[0]["exit"] == 0 and 170 < ended[0]["frames"] < 3480,
           f"watching ended with {ended}: not stopped by Escape")
    check_frames(game, "Escape")


# SIGTERM, SIGINT and SIGHUP end a running game as closing its window does: the main loop
# ends, the window is torn down, and the exit code is 0.
def end_by_signal(game, number):
    window = open_fullscreen(game)
    time.sleep(1.0)
    expect(game.process.poll() is None,
           f"the game ended on its own with {game.process.returncode} while playing")
    game.process.send_signal(number)
    game.wait_exit(signal.Signals(number).name)
    report = game.report()
    expect(report["windows"] == 1 and report["destroyed"] == 1,
           f"{report['windows']} windows created, {report['destroyed']} destroyed: "
           "the teardown did not run")
    check_frames(game, signal.Signals(number).name)


@case(start_recording)
def case_sigterm(game):
    """Recorded: the session ended by the signal replays to the same end."""
    end_by_signal(game, signal.SIGTERM)
    expect_replays(game)


for _name, _number in (("sigint", signal.SIGINT), ("sighup", signal.SIGHUP)):
    CASES[_name] = Case(functools.partial(end_by_signal, number=_number), Game, False)


# While the start question waits no main loop runs: the signal ends the game at once (too
# soon for the swap counter to write its report).
@case()
def case_sigterm_at_question(game):
    game.wait_window(START_CAPTION)
    sent = time.monotonic()
    game.process.send_signal(signal.SIGTERM)
    game.wait_exit("SIGTERM at the start question")
    took = game.ended - sent
    expect(took < 1.0, f"the game took {took:.2f} s to end after SIGTERM at the start question")


# A quit while a huge cue is being loaded: the loader gives its work up between pieces, and the
# process ends soon after its window (not seconds later, once a 200 MB wave is converted).
HUGE_CUE_BYTES = 200 << 20


def start_with_huge_cue(display, args, workdir, name):
    folder = os.path.join(workdir, name)
    shutil.copytree("Data", os.path.join(folder, "Data"))
    # Mono 16-bit samples of silence at 44.1 kHz, held sparse on disk: the device plays stereo
    # at 22,050 Hz, so every sample is converted and resampled.
    with open(os.path.join(folder, cue_path("menuCue")), "wb") as f:
        f.write(struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + HUGE_CUE_BYTES, b"WAVE", b"fmt ",
                            16, 1, 1, 44100, 88200, 2, 16, b"data", HUGE_CUE_BYTES))
        f.truncate(44 + HUGE_CUE_BYTES)
    return Game(display, args, workdir, name, cwd=folder)


@case(start_with_huge_cue)
def case_quit_while_loading(game):
    window = open_fullscreen(game)
    time.sleep(PLAY_SECONDS)
    game.display.hold(window, "Return")  # the huge menu cue
    time.sleep(0.5)
    game.display.hold(window, "F1")
    while any(wid == window for wid, _ in game.display.windows()):
        game.time_left("the window to go after F1")
        time.sleep(0.02)
    gone = time.monotonic()
    game.wait_exit("F1")
    took = game.ended - gone
    print(f"    the game ended {took:.2f} s after its window")
    expect(took < 1.0, f"the game took {took:.2f} s to end after its window went")


def own_text(game, text):
    """Whether the text is one of the game's own: its Windows-1251 bytes stand in the executable
    as a string of their own."""
    with open(game.args.game, "rb") as f:
        return text.encode("cp1251") + b"\0" in f.read()


# With no OpenGL driver to load, opening the window fails at one of its steps: the game says
# which in its own words (on stderr here, as dialogs cannot be drawn) and ends normally.
def start_without_gl(display, args, workdir, name):
    drivers = os.path.join(workdir, "no-dri")
    os.makedirs(drivers, exist_ok=True)
    return Game(display, args, workdir, name, {"LIBGL_DRIVERS_PATH": drivers})


@case(start_without_gl)
def case_no_gl_driver(game):
    game.wait_exit("failing to open its window")
    lines = game.stderr_lines()
    expect(not any(l.startswith("X Error of failed request") for l in lines),
           f"an X error reached Xlib's own handler; game output:\n{game.stderr_tail()}")
    said = [l[len(ERROR_CAPTION) + 2:-5] for l in lines
            if l.startswith(f"{ERROR_CAPTION}: ") and l.endswith(" [ok]")]
    expect(len(said) == 1 and own_text(game, said[0]),
           f"the game said {said} of its window messages; game output:\n{game.stderr_tail()}")
    print(f"    {said[0]}")
    report = game.report()
    expect(report["swaps"] == 0, f"{report['swaps']} frames were shown without OpenGL")
    expect(report["destroyed"] == report["windows"],
           f"{report['windows']} windows created, {report['destroyed']} destroyed")


# Without an X server the game must not run unseen on SDL's offscreen driver: its window
# cannot be created, and it says so at once.
def expect_no_window(game):
    game.wait_exit("finding no display")
    took = game.ended - game.started
    expect(took < 1.0, f"the game took {took:.2f} s to find out there is no display")
    expect_on_stderr(game, f"{ERROR_CAPTION}: {game_text('windowNotCreated')} [ok]")
    expect(game.report()["windows"] == 0, "a window was created with no display")


def start_on_dead_display(display, args, workdir, name):
    number = 9000
    while os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    return Game(display, args, workdir, name, {"DISPLAY": f":{number}"})


CASES["no_display"] = Case(expect_no_window, starter(changes={"DISPLAY": None}), False)
CASES["dead_display"] = Case(expect_no_window, start_on_dead_display, False)


# ALSA with no sound card: the game tells once that it plays without sound, and ALSA's own
# complaints stay out of the output. ALSA reads an empty configuration, so that it finds no
# device even on a machine with a sound card. Enter at the title starts a game with a cue, so the
# device is asked for; the game goes on until the cue's loader has asked (a cue at the very end,
# as Escape's at the title, is dropped with the game).
def start_without_sound_device(display, args, workdir, name):
    config = os.path.join(workdir, "no-sound-card.conf")
    open(config, "w").close()
    return Game(display, args, workdir, name,
                {"SDL_AUDIODRIVER": "alsa", "ALSA_CONFIG_PATH": config})


@case(start_without_sound_device)
def case_no_sound_device(game):
    window = game.wait_window(GAME_CAPTION)
    # Enter counts once the title panel is in place, later on a slow build: a second press
    # starts the game if the first came too early, and does nothing in a game under way.
    time.sleep(PLAY_SECONDS)
    for keys in ("Return", "Return"):
        game.display.hold(window, keys)
    time.sleep(0.5)
    game.display.hold(window, "F1")
    game.wait_exit("F1")
    lines = game.stderr_lines()
    silent = [l for l in lines if "no sound device" in l]
    alsa = [l for l in lines if l.startswith("ALSA lib")]
    expect(len(silent) == 1 and not alsa,
           f"{len(silent)} lines about the missing sound device and {len(alsa)} from ALSA; "
           f"game output:\n{game.stderr_tail()}")


# A graphics driver that keeps every swap in step with the monitor, whatever the game asks: one
# line says the game will run slow and how to turn the sync off.
@case(starter(changes={"TRIMVALD_FORCED_SWAP_INTERVAL": "1"}))
def case_forced_sync(game):
    window = game.wait_window(GAME_CAPTION)
    game.display.hold(window, "F1")
    game.wait_exit("F1")
    said = [l for l in game.stderr_lines() if "vblank_mode=0" in l]
    expect(len(said) == 1 and "slower than it should" in said[0],
           f"the forced sync was told in {len(said)} lines; game output:\n{game.stderr_tail()}")


# The X server goes away under a running game (it must be the display's last case): one line,
# exit code 0, not Xlib's exit code 1.
@case()
def case_display_lost(game):
    game.wait_window(GAME_CAPTION)
    time.sleep(0.5)
    game.display.server.kill()
    game.display.server.wait()
    game.wait_exit("the X server ended")
    expect_on_stderr(game, "Тримвальд: the connection to the display was lost")


# The player's controls on a French (AZERTY) keyboard: Z is where W is on a US one, W where Z
# is. xdotool presses the key the layout gives the letter; the game records what it read.
def french_keyboard(settings=None):
    def start(display, args, workdir, name):
        if settings:
            settings_file(workdir, name, settings)
        result = display.run("setxkbmap", "fr")
        expect(result.returncode == 0, f"setxkbmap fr failed: {result.stderr.strip()}")
        return Game(display, args, workdir, name, record=True)
    return start


def recorded_runs(path):
    """The recording's runs of frames: (frames, keys, mouse dx, mouse dy)."""
    runs = []
    with open(path, encoding="utf-8") as f:
        for words in (l.split() for l in f if l.startswith("frames ")):
            mouse = words.index("mouse") if "mouse" in words else len(words)
            dx, dy = (int(w) for w in words[mouse + 1:mouse + 3]) if mouse < len(words) else (0, 0)
            runs.append((int(words[1]), words[2:mouse], dx, dy))
    return runs


def walk_forward(game, letter, meanwhile=None):
    """Starts a round, holds the key the layout calls `letter` for half a second, does
    `meanwhile`, and quits; the recording replays and holds W (forward), and never Z (the key at
    the other place)."""
    display = game.display
    try:
        window = open_fullscreen(game)
        time.sleep(PLAY_SECONDS)
        display.hold(window, "Return")
        display.hold(window, letter, 0.5)
        if meanwhile:
            meanwhile()
        display.hold(window, "F1")
        game.wait_exit("F1")
    finally:
        display.run("setxkbmap", "us")
    expect_replays(game)
    held = {key for _, keys, _, _ in recorded_runs(game.recording) for key in keys}
    expect("W" in held and "Z" not in held,
           f"{letter} on the French keyboard held {sorted(held)}, not W")


@case(french_keyboard())
def case_keys_by_place(game):
    """By default a key is known by its place: the French Z, at the US W's place, walks forward."""
    walk_forward(game, "z")


@case(french_keyboard("[keys]\nkeys = layout\n[mouse]\nsensitivity = 0.5\ninvert = yes\n"))
def case_keys_by_layout(game):
    """With keys = layout the key the layout calls W walks; with sensitivity 0.5 and an inverted
    look the mouse turns half as far as it does by default (mouse_look) and the pitch the other
    way, as the recording holds it."""
    def look():
        game.display.xdotool("mousemove_relative", "--", "-150", "50")
        time.sleep(0.5)
    walk_forward(game, "w", look)
    runs = recorded_runs(game.recording)
    turned = (sum(n * dx for n, _, dx, _ in runs), sum(n * dy for n, _, _, dy in runs))
    expect(turned == (-75, -25), f"the recording turned by {turned}, not half of (-150, 50) "
           "with the vertical turned over")


# CTest's e2e groups: each is one test, its cases played in order on one screen (game_harness's
# Group).
GROUPS = {
    # The desktop is smaller than 800x600: the game offers to run in a window, which the window
    # manager frames.
    "windowed": Group("640x480x24", "decline windowed_f1 windowed_escape windowed_framed", wm=True),
    # The desktop is 800x600: the game takes the whole screen at once. A quit while a huge cue
    # loads ends the process with its window. After a game ended at its start question, the next
    # game's question takes no keys on this bare screen: that case goes last.
    "fullscreen": Group("800x600x16", "fullscreen_f1 fullscreen_alt_f4 sigterm sigint sighup "
                                      "quit_while_loading sigterm_at_question"),
    # A larger desktop with an 800x600 mode it must not switch to; mouse look with the pointer
    # captured, and released while minimised. Sessions recorded and checked against their
    # replay, and a script watched in a window. Last, as they leave a French keyboard behind if
    # they fail: the player's controls.
    "fullscreen_desktop": Group("1024x768x24", "fullscreen_desktop fullscreen_killed mouse_look "
                                "recorded_closed recording_unwritable watched keys_by_place "
                                "keys_by_layout",
                                wm=True, mode_800x600=True),
    # A round played with a game controller alone; it draws nothing, so it runs beside the rest.
    "gamepad": Group("1024x768x24", "gamepad_round", wm=True),
    # A long recorded round, over 2,000 frames played by hand: the test command runs it after
    # the suite (the soak preset), as it takes a minute.
    "recorded_long": Group("1024x768x24", "recorded_long", wm=True),
    # The game as its X server's only client, a server that resets when its last client leaves
    # (xinit on a kiosk): twenty starts, each reaching the game window. The test command runs it
    # after the suite.
    "only_client": Group("800x600x24", "only_client", resets=True),
    # A wide desktop with no window manager (an xinit session): the layer itself makes the
    # window cover the screen, the 4:3 picture between black bars.
    "fullscreen_wide": Group("1280x720x24", "fullscreen_desktop"),
    # A machine that lets the game down: an X server without core fonts (no dialog can be
    # drawn), no OpenGL driver, no X server at all, no sound device, a driver that forces
    # vertical sync, and the X server ending under the game (last: the display goes with it).
    "failures": Group("640x480x24", "questions_on_stderr no_gl_driver no_display dead_display "
                      "no_sound_device forced_sync display_lost", server_args=("-fp", "built-ins")),
}


if __name__ == "__main__":
    sys.exit(main(GROUPS))
