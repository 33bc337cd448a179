#!/usr/bin/python3
"""The desktop program in a real X server, as a user drives it: it starts on
a record, a key steps the board, a tap plays a move and marks the title,
closing the window (answering No to the save question) ends the program with
status 0, and the settings are on disk. Then the program is killed after an
edit: started again, it offers the edited record, which saved is what
vantaro-cli saves for the same edit. Started on two files, as a file
manager does, it shows a window for each. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 800x1000x24" /usr/bin/python3 end_to_end.py PROGRAM RECORD
"""
import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from x11_driver import Driver  # noqa: E402


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what):
        print(("ok    " if ok else "FAIL  ") + what, flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok


def pixel(image, width, x, y):
    at = (y * width + x) * 4
    blue, green, red = image[at], image[at + 1], image[at + 2]
    return red, green, blue


def grab(driver, window):
    width, height = driver.size(window)
    data = window.get_image(0, 0, width, height, 2, 0xFFFFFFFF).data
    return data, width, height


def wooden(rgb):
    red, green, blue = rgb
    return red > 170 and 110 < green < 220 and blue < 150 and red > blue + 50


def board_square(driver, window):
    """The wooden board's left, top and size, found in the window's pixels."""
    data, width, height = grab(driver, window)
    column = width // 2
    rows = [y for y in range(height) if wooden(pixel(data, width, column, y))]
    middle = (rows[0] + rows[-1]) // 2
    columns = [x for x in range(width) if wooden(pixel(data, width, x, middle))]
    return columns[0], rows[0], columns[-1] - columns[0] + 1


def point_pixel(square, column, row, lines=19):
    """Centre of a board point: the board is its grid plus a margin of
    spacing / 2 + spacing / 7 on every side."""
    left, top, size = square
    spacing = size / (lines + 2 / 7)
    return (round(left + spacing / 7 + spacing / 2 + column * spacing),
            round(top + spacing / 7 + spacing / 2 + row * spacing))


def brightness(driver, window, at, square):
    """How light a point is, off its grid lines: a stone covers them all."""
    data, width, _ = grab(driver, window)
    reach = max(2, round(square[2] / 19 / 5))
    samples = [pixel(data, width, at[0] + dx, at[1] + dy)
               for dx in (-reach, reach) for dy in (-reach, reach)]
    return sum(sum(rgb) / 3 for rgb in samples) / len(samples)


def answer(driver, key):
    """Answers the program's question box with the key of a button."""
    question = driver.find_window(lambda t: t == "Vantaro", timeout=10)
    driver.move_pointer(*driver.origin(question))
    driver.key(key)


def close_answering(driver, window, key):
    driver.close(window)
    answer(driver, key)


def recovery_copies(work):
    return list((work / "state" / "vantaro" / "recovery").glob("*.sgf"))


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


def killed_after_an_edit(checks, driver, program, game, environment, work):
    process = subprocess.Popen([str(program), str(game)], env=environment)
    window = driver.find_window(lambda title: title.startswith("sample-gam"))
    time.sleep(0.5)
    square = board_square(driver, window)
    origin = driver.origin(window)
    centre = point_pixel(square, 9, 9)
    driver.move_pointer(origin[0] + centre[0], origin[1] + centre[1])
    driver.key("Right")
    time.sleep(0.3)
    driver.tap(origin[0] + centre[0], origin[1] + centre[1])
    driver.wait_for_title(window, lambda t: t.endswith(" *"), timeout=5)
    checks.check(wait_for(lambda: recovery_copies(work), 5),
                 "a recovery copy follows the edit")
    process.kill()
    process.wait(timeout=10)

    process = subprocess.Popen([str(program)], env=environment)
    answer(driver, "y")
    window = driver.find_window(lambda t: t.startswith("sample-gam"), timeout=10)
    title = driver.wait_for_title(window, lambda t: t.endswith(" *"), timeout=5)
    checks.check(title == "sample-gam... *", "answering Yes restores the edited record")
    # Saved at the question that closing the window asks.
    close_answering(driver, window, "y")
    status = process.wait(timeout=20)
    checks.check(status == 0, f"the program ends with status {status}")

    # What the command-line tool saves for the same edit.
    expected = work / "expected.sgf"
    shutil.copy(game.with_name("original.sgf"), expected)
    subprocess.run([str(program.parent / "vantaro-cli"), "run", str(expected)],
                   input=b"Next\nclick 9 9\nSave\n", check=True, capture_output=True)
    checks.check(game.read_bytes() == expected.read_bytes(),
                 "the restored and saved record is the edited record")
    checks.check(not recovery_copies(work), "saving removed the recovery copy")


def several_files(driver, program, work, environment, checks):
    """Two files at once: the program opens the first and starts itself
    again on the second, so that each has a window."""
    names = ["first", "second"]
    for name in names:
        (work / (name + ".sgf")).write_bytes(b"(;GM[1]SZ[9];B[ee])")
    process = subprocess.Popen([str(program)] + [str(work / (n + ".sgf")) for n in names],
                               env=environment)
    windows = []
    for name in names:
        try:
            windows.append(driver.find_window(lambda t, n=name: t == n, timeout=20))
        except TimeoutError:
            pass
    checks.check(len(windows) == 2, f"two files opened {len(windows)} windows")
    for window in windows:
        driver.close(window)
    status = process.wait(timeout=20)
    checks.check(status == 0, f"closing the first window ends its program with status {status}")
    # The second window belongs to a program of its own, which ends when it closes.
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline and driver.has_window(lambda t: t in names):
        time.sleep(0.1)
    checks.check(not driver.has_window(lambda t: t in names), "both windows closed")


def main():
    program, record = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    checks = Checks()
    work = Path(tempfile.mkdtemp(prefix="vantaro-e2e-"))
    try:
        game = work / "sample-game.sgf"
        shutil.copy(record, game)
        shutil.copy(record, work / "original.sgf")
        original = game.read_bytes()
        environment = dict(os.environ, XDG_CONFIG_HOME=str(work / "config"),
                           XDG_STATE_HOME=str(work / "state"))
        environment.pop("QT_QPA_PLATFORM", None)
        process = subprocess.Popen([str(program), str(game)], env=environment)
        driver = Driver()
        window = driver.find_window(lambda title: title.startswith("sample-gam"))
        checks.check(driver.title(window) == "sample-gam...",
                     "starts on the record: title " + repr(driver.title(window)))
        time.sleep(0.5)

        square = board_square(driver, window)
        origin = driver.origin(window)
        first_move = point_pixel(square, 15, 3)  # B[pd]
        centre = point_pixel(square, 9, 9)
        driver.move_pointer(origin[0] + centre[0], origin[1] + centre[1])
        before = brightness(driver, window, first_move, square)
        driver.key("Right")
        time.sleep(0.5)
        after = brightness(driver, window, first_move, square)
        checks.check(after < 80 < before,
                     f"Right plays the first move: brightness {before:.0f} -> {after:.0f}")

        driver.tap(origin[0] + centre[0], origin[1] + centre[1])
        title = driver.wait_for_title(window, lambda t: t.endswith(" *"), timeout=5)
        checks.check(title == "sample-gam... *", "a tap marks the title: " + repr(title))
        time.sleep(0.3)
        light = brightness(driver, window, centre, square)
        checks.check(light > 190, f"the tap put a white stone: brightness {light:.0f}")

        close_answering(driver, window, "n")
        status = process.wait(timeout=20)
        checks.check(status == 0, f"closing the window ends the program with status {status}")

        settings = work / "config" / "Brenmoor"
        options = configparser.ConfigParser(interpolation=None)
        options.optionxform = str
        options.read(settings / "Vantaro4.conf")
        profile = configparser.ConfigParser(interpolation=None)
        profile.read(settings / "Vantaro.conf")
        checks.check(options.has_option("Option", "BoardSizeCX") and
                     (settings / "vantaroopt.xml").exists() and
                     profile.get("Recent%20File%20List", "File1", fallback="") == str(game) and
                     profile.get("Option", "Language", fallback="") == "0",
                     "the settings and the recent files are on disk")
        checks.check(game.read_bytes() == original, "answering No left the file as it was")
        checks.check(not recovery_copies(work), "answering No left no recovery copy")
        killed_after_an_edit(checks, driver, program, game, environment, work)
        several_files(driver, program, work, environment, checks)
    except Exception as error:  # a window that never came, a wait that ran out
        checks.check(False, f"{type(error).__name__}: {error}")
        if "process" in locals() and process.poll() is None:
            process.kill()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"end-to-end: {checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
