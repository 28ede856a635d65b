"""Drives the real Yorewind.exe under Wine from outside, the way a player would.

Windows and dialogs are read and pressed through the ywdrive helper running in the same prefix;
the board is read from screenshots of the X display and played with xdotool clicks.

Environment: DISPLAY and WINEPREFIX name the test display and prefix (scripts/test makes both);
YOREWIND_EXE and YWDRIVE_EXE name the two Windows programs; YW_E2E_ARTIFACTS, when set, is a
folder that receives a screenshot whenever a wait runs out.
"""

import atexit
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

CARD_BACK = (0xC4, 0x83, 0xFF)
BACK_BUFFER = (800, 600)
GRIDS = {1: (4, 4), 2: (5, 4), 3: (6, 5), 4: (6, 6)}  # level: (rows, columns)

MENU_MORE = 32781
MENU_EXIT = 105
MENU_OPTIONS = 32779
MENU_ABOUT = 104
MENU_DONATE = 32783

ID_OK, ID_CANCEL, ID_YES, ID_NO = 1, 2, 6, 7
ID_BROWSE, ID_PATH = 1000, 1001
LEVEL_RADIOS = {1: 1005, 2: 1006, 3: 1007, 4: 1008}
MESSAGE_TEXT_ID = 0xFFFF

REG_SZ, REG_DWORD = 1, 4
INITIAL_PATH = "Where Do You Want to Go?"
NOT_ENOUGH_TEXT = "No enough images in the folder. \nAdd more pictures or change to another folder"

# Solid picture colours: far from the card back, from black and from each other.
PALETTE = [
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0x00, 0x00, 0xFF), (0xFF, 0xFF, 0x00),
    (0x00, 0xFF, 0xFF), (0xFF, 0x00, 0xFF), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x80, 0x00), (0x00, 0x80, 0x80), (0x80, 0x00, 0x80),
    (0xFF, 0x80, 0x00), (0x80, 0xFF, 0x00), (0x00, 0xFF, 0x80), (0x00, 0x80, 0xFF),
    (0xFF, 0x00, 0x80), (0x80, 0x80, 0x80), (0xFF, 0xFF, 0xFF), (0x40, 0xC0, 0x40),
]

COLOUR_TOLERANCE = 24
FRAME_LOOK_DELAY = 0.07  # two frames at 33 ms: the first look after a click usually sees the result
HELPER_TIMEOUT = 20
START_TIMEOUT = 60
UI_TIMEOUT = 20
FRAME_TIMEOUT = 10
EXIT_TIMEOUT = 30


class E2EError(AssertionError):
    pass


def _require_environment():
    missing = [name for name in ("DISPLAY", "WINEPREFIX", "YOREWIND_EXE", "YWDRIVE_EXE")
               if not os.environ.get(name)]
    if missing:
        # Never fall back to ~/.wine or a real display.
        sys.stderr.write("e2e: %s must be set; run scripts/test\n" % ", ".join(missing))
        sys.exit(2)


def _run(args, timeout):
    """Runs a command with its output in a file: Wine services may inherit a pipe and hold it."""
    with tempfile.TemporaryFile() as out:
        completed = subprocess.run(args, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.DEVNULL, timeout=timeout)
        out.seek(0)
        return completed.returncode, out.read()


def wait_for(what, probe, timeout, interval=0.05, explain=None):
    """Polls probe until it returns something truthy, at most timeout seconds; returns that.

    explain, given, is called on a timeout and its text added to the error.
    """
    deadline = time.monotonic() + timeout
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() >= deadline:
            save_artifact(what)
            detail = ""
            if explain is not None:
                try:
                    detail = "; " + explain()
                except (E2EError, OSError, subprocess.SubprocessError) as error:
                    detail = "; (%s)" % error
            raise E2EError("timed out after %.0f s waiting for %s%s" % (timeout, what, detail))
        time.sleep(interval)


def save_artifact(label):
    folder = os.environ.get("YW_E2E_ARTIFACTS")
    if not folder:
        return
    try:
        os.makedirs(folder, exist_ok=True)
        name = re.sub(r"[^A-Za-z0-9]+", "_", label)[:60] + time.strftime("_%H%M%S") + ".png"
        _run(["import", "-window", "root", "-depth", "8", "png:" + os.path.join(folder, name)], 20)
    except (OSError, subprocess.SubprocessError):
        pass


# --- the helper exe ---------------------------------------------------------------------------

def helper(*args):
    """Runs ywdrive; returns (exit code, list of parsed JSON lines)."""
    code, out = _run(["wine", os.environ["YWDRIVE_EXE"]] + [str(a) for a in args], HELPER_TIMEOUT)
    lines = []
    for line in out.decode("latin-1").splitlines():
        line = line.strip()
        if line.startswith("{"):
            lines.append(json.loads(line))
    return code, lines


def helper_one(*args):
    code, lines = helper(*args)
    return lines[0] if lines else {}


def read_settings():
    return helper_one("settings")


def clear_settings():
    code, lines = helper("settings-clear")
    if code != 0 or not lines or lines[0].get("exists") is not False:
        raise E2EError("could not delete the settings key: %s" % lines)


def write_settings(path=None, level=None):
    """Stores the values as the game stores them (a 260-byte REG_SZ, a REG_DWORD)."""
    args = ["settings-set"]
    if path is not None:
        args += ["path", path]
    if level is not None:
        args += ["level", level]
    code, lines = helper(*args)
    if code != 0:
        raise E2EError("could not write the settings: %s" % lines)


def windows_path(unix_path):
    code, out = _run(["winepath", "-w", unix_path], HELPER_TIMEOUT)
    text = out.decode("latin-1").strip()
    if code != 0 or not text:
        raise E2EError("winepath failed for " + unix_path)
    return text


def dialogs():
    return helper("dialogs")[1]


def control(dialog, control_id):
    for item in dialog["controls"]:
        if item["id"] == control_id:
            return item
    return None


def message_text(dialog):
    item = control(dialog, MESSAGE_TEXT_ID)
    return item["text"] if item else None


def buttons(dialog):
    return sorted((c["id"], c["text"].replace("&", "")) for c in dialog["controls"]
                  if c["class"].lower() == "button" and c["visible"])


# --- pictures ---------------------------------------------------------------------------------

_picture_cache = []


def _cached_picture(number, kind):
    """Each picture is made once per run and copied from there."""
    if not _picture_cache:
        _picture_cache.append(tempfile.mkdtemp(prefix="yw-e2e-pictures-"))
        atexit.register(shutil.rmtree, _picture_cache[0], True)
    path = os.path.join(_picture_cache[0], "picture%02d.%s" % (number, kind))
    if not os.path.exists(path):
        r, g, b = PALETTE[number]
        # Truecolour, or ImageMagick writes a palette file that Wine's decoder garbles.
        out_format = {"png": "PNG24:", "bmp": "BMP3:", "jpg": "JPG:", "jpeg": "JPG:"}[kind]
        code, _ = _run(["convert", "-size", "16x16", "xc:#%02X%02X%02X" % (r, g, b),
                        "-type", "TrueColor", "-depth", "8", "-quality", "100", out_format + path], 30)
        if code != 0:
            raise E2EError("convert failed for " + path)
    return path


def make_pictures(folder, count, start=0, kinds=("png", "bmp")):
    """Puts count solid 16x16 pictures, colours PALETTE[start:start+count], into folder."""
    os.makedirs(folder, exist_ok=True)
    made = []
    for number in range(start, start + count):
        source = _cached_picture(number, kinds[number % len(kinds)])
        path = os.path.join(folder, os.path.basename(source))
        shutil.copyfile(source, path)
        made.append(path)
    return made


# --- screenshots ------------------------------------------------------------------------------

class Shot:
    """An RGB capture of a screen rectangle; pixels are read in that rectangle's coordinates."""

    def __init__(self, left, top, width, height):
        self.left, self.top, self.width, self.height = left, top, width, height
        code, data = _run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                           "+repage", "-depth", "8", "rgb:-"], 30)
        if code != 0 or len(data) != width * height * 3:
            raise E2EError("screenshot failed (%d bytes)" % len(data))
        self.data = data

    def pixel(self, x, y):
        x = min(max(int(x), 0), self.width - 1)
        y = min(max(int(y), 0), self.height - 1)
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])


def close_to(colour, wanted, tolerance=COLOUR_TOLERANCE):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def is_dark(colour):
    return max(colour) < 0x30


def picture_of(colour, palette=PALETTE):
    """The index of the palette colour this pixel shows, or None."""
    for index, wanted in enumerate(palette):
        if close_to(colour, wanted):
            return index
    return None


# --- board geometry ---------------------------------------------------------------------------

class Board:
    """Where the cells of a deal are drawn and clicked, in client coordinates."""

    def __init__(self, client_width, client_height, level):
        self.rows, self.columns = GRIDS[level]
        self.client_width, self.client_height = client_width, client_height
        deal_width = min(client_width, BACK_BUFFER[0])
        deal_height = min(client_height, BACK_BUFFER[1])
        self.cell_width = (deal_width + 12) // self.columns
        self.cell_height = (deal_height + 12) // self.rows
        self.sx = client_width / BACK_BUFFER[0]
        self.sy = client_height / BACK_BUFFER[1]

    def cells(self):
        return [(c, r) for r in range(self.rows) for c in range(self.columns)]

    def drawn_rect(self, cell):
        """The card's visible rectangle in client coordinates (the back buffer is cut at 800x600)."""
        c, r = cell
        left = c * self.cell_width + 4
        top = r * self.cell_height + 4
        right = min((c + 1) * self.cell_width, BACK_BUFFER[0])
        bottom = min((r + 1) * self.cell_height, BACK_BUFFER[1])
        return (left * self.sx, top * self.sy, right * self.sx, bottom * self.sy)

    def centre(self, cell):
        left, top, right, bottom = self.drawn_rect(cell)
        return (int((left + right) / 2), int((top + bottom) / 2))

    def hit_cell(self, x, y):
        """The cell the game maps a client point to."""
        return (x // (self.client_width // self.columns + 4), y // (self.client_height // self.rows + 4))

    def sample_points(self, cell, avoid=None):
        """Points well inside the card; with avoid (a client rectangle), only those outside it."""
        left, top, right, bottom = self.drawn_rect(cell)
        points = []
        for fx in (0.5, 0.2, 0.8):
            for fy in (0.5, 0.2, 0.8):
                points.append((int(left + (right - left) * fx), int(top + (bottom - top) * fy)))
        if avoid is not None:
            al, at, ar, ab = avoid
            points = [(x, y) for x, y in points if not (al - 4 <= x <= ar + 4 and at - 4 <= y <= ab + 4)]
        return points

    def corner_points(self, cell, inset=3):
        """Points just inside the corners of the card."""
        left, top, right, bottom = self.drawn_rect(cell)
        return [(int(x), int(y))
                for x in (left + inset, right - 1 - inset) for y in (top + inset, bottom - 1 - inset)]

    def gap_points(self):
        """Points in the black lines left of and above each card, midway along each line."""
        points = []
        for c in range(0, self.columns):
            x = (c * self.cell_width + 2) * self.sx
            for r in range(self.rows):
                left, top, right, bottom = self.drawn_rect((0, r))
                points.append((int(x), int((top + bottom) / 2)))
        for r in range(0, self.rows):
            y = (r * self.cell_height + 2) * self.sy
            for c in range(self.columns):
                left, top, right, bottom = self.drawn_rect((c, 0))
                points.append((int((left + right) / 2), int(y)))
        return points


def classify_cell(shot, board, cell, avoid=None):
    """'back', a palette index, or None when the card's points disagree or match nothing."""
    points = board.sample_points(cell, avoid)
    if not points:
        return None
    seen = set()
    for x, y in points:
        colour = shot.pixel(x, y)
        if close_to(colour, CARD_BACK):
            seen.add("back")
        else:
            index = picture_of(colour)
            seen.add(index)
    if len(seen) != 1:
        return None
    return seen.pop()


def count_back_runs(shot, points):
    """How many separate stretches of card-back colour a line of points crosses."""
    runs, inside = 0, False
    for x, y in points:
        back = close_to(shot.pixel(x, y), CARD_BACK)
        if back and not inside:
            runs += 1
        inside = back
    return runs


def wait_no_game_windows(timeout=UI_TIMEOUT):
    """Waits until no game window or dialog is left, so the next run's windows are its own."""
    wait_for("no game window or dialog left over",
             lambda: not any(w["class"] in ("Yorewind", "#32770") for w in helper("windows")[1]),
             timeout, interval=0.2)


# --- the game process -------------------------------------------------------------------------

class Game:
    """One run of Yorewind.exe; its exit code is that of the Wine process."""

    def __init__(self, workdir):
        self.process = subprocess.Popen(["wine", os.environ["YOREWIND_EXE"]], cwd=workdir,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = None

    # process

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            save_artifact("program did not end")
            raise E2EError("the program did not end within %d s" % timeout)

    def kill(self):
        if not self.running():
            return
        # The Unix process is the Windows one: killing it ends the program.
        self.process.kill()
        try:
            self.process.wait(15)
        except subprocess.TimeoutExpired:
            window = self.main_window()
            if window:
                _run(["wine", "taskkill", "/f", "/pid", str(window["pid"])], HELPER_TIMEOUT)
        wait_no_game_windows()

    # windows and dialogs

    def main_window(self):
        """The game window, once the program has one; None before."""
        info = helper_one("main")
        return info if info.get("found") else None

    def wait_main(self, timeout=START_TIMEOUT):
        def probe():
            if not self.running():
                raise E2EError("the program ended early with code %s" % self.process.returncode)
            return self.main_window()
        self.window = wait_for("the main window", probe, timeout)
        return self.window

    def dialog(self, caption=None):
        for d in dialogs():
            if caption is None or d["caption"] == caption:
                return d
        return None

    def wait_dialog(self, caption, timeout=UI_TIMEOUT, having=None):
        """Waits for an open dialog with this caption (and, given having, that control id)."""
        def probe():
            if not self.running():
                raise E2EError("the program ended with code %s while waiting for a dialog %r"
                               % (self.process.returncode, caption))
            for d in dialogs():
                if d["caption"] == caption and (having is None or control(d, having) is not None):
                    return d
            return None
        return wait_for("a dialog captioned %r" % caption, probe, timeout)

    def press(self, key, caption=None):
        args = ["press", key] + ([caption] if caption is not None else [])
        code, lines = helper(*args)
        if code != 0:
            raise E2EError("could not press %r: %s" % (key, lines))

    def press_and_wait_closed(self, dialog, key):
        """Presses a button of this dialog and waits until that dialog has gone."""
        self.press(key, dialog["caption"])
        wait_for("dialog %r to close" % dialog["caption"],
                 lambda: all(d["hwnd"] != dialog["hwnd"] for d in dialogs()), UI_TIMEOUT)

    def menu(self, command_id):
        code, _ = helper("menu", command_id)
        if code != 0:
            raise E2EError("no main window to send menu command %d to" % command_id)

    # the board

    def board(self, level):
        window = self.window or self.wait_main()
        return Board(window["client"][0], window["client"][1], level)

    def shot(self):
        window = self.window or self.wait_main()
        return Shot(window["origin"][0], window["origin"][1], window["client"][0], window["client"][1])

    def click(self, *points, button=1):
        """Clicks client points in order, in one xdotool run."""
        ox, oy = self.window["origin"]
        args = ["xdotool"]
        for x, y in points:
            args += ["mousemove", str(ox + x), str(oy + y), "click", str(button)]
        code, _ = _run(args, 20)
        if code != 0:
            raise E2EError("xdotool failed")

    def click_cells(self, board, cells, button=1):
        """Clicks the middle of each card in order, then gives the game time to draw."""
        points = []
        for cell in cells:
            x, y = board.centre(cell)
            hit = board.hit_cell(x, y)
            if hit != cell:
                raise E2EError("the centre %s of the card drawn at %s is taken as a click on %s"
                               % ((x, y), cell, hit))
            points.append((x, y))
        self.click(*points, button=button)
        time.sleep(FRAME_LOOK_DELAY)

    def click_cell(self, board, cell, button=1):
        self.click_cells(board, [cell], button)

    def client_rect_of(self, screen_rect):
        ox, oy = self.window["origin"]
        left, top, right, bottom = screen_rect
        return (left - ox, top - oy, right - ox, bottom - oy)

    def cell_states(self, board, avoid=None):
        shot = self.shot()
        return {cell: classify_cell(shot, board, cell, avoid) for cell in board.cells()}

    def wait_frame(self, what, probe, timeout=FRAME_TIMEOUT, explain=None):
        """wait_for, for something only a new frame can show.

        The game draws only while its window is active. With no window manager, Wine hands the
        activation back to it some time after a dialog closes; should that not have happened
        after a while, the window is activated, once, as a player would by clicking it.
        """
        nudge_at = time.monotonic() + min(3.0, timeout / 3)
        nudged = []

        def nudging_probe():
            found = probe()
            if not found and not nudged and time.monotonic() >= nudge_at:
                nudged.append(True)
                window = self.main_window()
                if window and window["enabled"] and not window["foreground"]:
                    helper("activate")
            return found
        return wait_for(what, nudging_probe, timeout, explain=explain)

    def wait_states(self, board, what, accept, timeout=FRAME_TIMEOUT):
        """Waits for a frame whose cell states satisfy accept(states); returns those states."""
        def probe():
            states = self.cell_states(board)
            return states if accept(states) else None
        return self.wait_frame(what, probe, timeout)

    def changes_within(self, board, expected, seconds=1.0):
        """Watches frames for a while; returns {cell: (seen, expected)} at the first change, or None."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            states = self.cell_states(board)
            if states != expected:
                return {cell: (state, expected[cell])
                        for cell, state in states.items() if state != expected[cell]}
        return None

    def wait_all_backs(self, board, timeout=FRAME_TIMEOUT):
        return self.wait_states(board, "%d card backs" % (board.rows * board.columns),
                                lambda s: all(v == "back" for v in s.values()), timeout)


def question_text(tries):
    return "You Made it in %d Tries.\nRecall old lovely Days?\nDo it Again?" % tries


class Player:
    """Plays a dealt board by clicks, learning the pictures from the screen as it goes.

    It keeps its own model of what every card must show, and after its clicks waits for a frame
    that shows exactly that model, so a card that turns, stays or goes back wrongly is caught.
    """

    def __init__(self, game, board):
        self.game, self.board = game, board
        self.tries = 0
        self.pictures = {}  # cell: picture, for every card seen face up
        self.found = set()
        self.first = None   # the open first card of a try
        self.missed = None  # the two cards of a missed try, still face up
        self.final_pair = None  # the last try, seen only behind the end-of-round question

    def shown_up(self):
        up = set(self.found)
        if self.first:
            up.add(self.first)
        if self.missed:
            up.update(self.missed)
        return up

    def expected(self, cell):
        return self.pictures[cell] if cell in self.shown_up() else "back"

    def wait_model(self, what, new_cells=(), avoid=None):
        """Waits until the screen matches the model; cards just turned may show any picture."""
        last = {}

        def explain():
            wrong = {cell: state for cell, state in last.items()
                     if cell not in new_cells and state != self.expected(cell)}
            return "cards differing from the expected: %s; open dialogs: %s" % (wrong, dialogs())

        def probe():
            states = self.game.cell_states(self.board, avoid)
            last.clear()
            last.update(states)
            for cell, state in states.items():
                if cell in new_cells:
                    if state is None or state == "back":
                        return None
                elif avoid is not None and state is None:
                    continue  # hidden behind a dialog
                elif state != self.expected(cell):
                    return None
            return states
        return self.game.wait_frame(what, probe, explain=explain)

    def remaining(self):
        return [cell for cell in self.board.cells() if cell not in self.found]

    def turn_first(self, cell, button=1):
        assert self.first is None and self.missed is None and cell not in self.found
        self.game.click_cell(self.board, cell, button)
        states = self.wait_model("card %s to turn up as the first of a try" % (cell,), new_cells=(cell,))
        self.learn(states, cell)
        self.first = cell
        return states[cell]

    def learn(self, states, cell):
        if cell in self.pictures and self.pictures[cell] != states[cell]:
            raise E2EError("card %s showed picture %s before and %s now"
                           % (cell, self.pictures[cell], states[cell]))
        self.pictures[cell] = states[cell]

    def turn_second(self, cell, final=False, button=1):
        """The second card of a try; True on a match. The final one leaves the question open."""
        assert self.first is not None and cell != self.first and cell not in self.found
        first = self.first
        self.game.click_cell(self.board, cell, button)
        self.tries += 1
        if final:
            self.pictures[cell] = self.pictures[first]
            self.found.update((first, cell))
            self.first = None
            return True
        states = self.wait_model("card %s to turn up as the second of a try" % (cell,), new_cells=(cell,))
        self.learn(states, cell)
        self.first = None
        if states[cell] == self.pictures[first]:
            self.found.update((first, cell))
            matched = True
        else:
            self.missed = (first, cell)
            matched = False
        return matched

    def turn_back(self, cell=None):
        """The click after a miss: it turns the missed pair back and nothing else."""
        assert self.missed is not None
        cell = cell or self.missed[1]
        missed = self.missed
        self.game.click_cell(self.board, cell)
        self.missed = None
        self.wait_model("the missed cards %s and %s to turn back after a click on %s"
                        % (missed[0], missed[1], cell))

    def try_pair(self, first, second, final=False):
        """A whole try in one go (after the click that turns a missed pair back), looked at once.

        True on a match. The final try leaves the end-of-round question open and is not looked at.
        """
        assert self.first is None and first != second
        clicks = [self.missed[1]] if self.missed else []
        self.game.click_cells(self.board, clicks + [first, second])
        self.missed = None
        self.tries += 1
        if final:
            self.found.update((first, second))
            self.final_pair = (first, second)
            return True
        states = self.wait_model("cards %s and %s to turn up" % (first, second), new_cells=(first, second))
        self.learn(states, first)
        self.learn(states, second)
        if states[first] == states[second]:
            self.found.update((first, second))
            return True
        self.missed = (first, second)
        return False

    def play_try(self):
        """One try: a pair already seen when there is one, else two cards not seen yet."""
        remaining = self.remaining()
        if len(remaining) == 2:
            return self.try_pair(remaining[0], remaining[1], final=True)
        by_picture = {}
        for cell in remaining:
            if cell in self.pictures:
                by_picture.setdefault(self.pictures[cell], []).append(cell)
        for cells in by_picture.values():
            if len(cells) == 2:
                if not self.try_pair(*cells):
                    raise E2EError("cards %s and %s showed the same picture but did not match" % tuple(cells))
                return True
        unseen = [cell for cell in remaining if cell not in self.pictures]
        return self.try_pair(unseen[0], unseen[1])

    def play_until_miss(self):
        """Plays tries until one misses; the missed pair is left face up."""
        while not self.missed:
            if len(self.remaining()) <= 4:
                raise E2EError("no miss came before the end of the round")
            unseen = [cell for cell in self.remaining() if cell not in self.pictures]
            self.turn_first(unseen[0])
            self.turn_second(unseen[1])
        return self.missed

    def play_round(self):
        """Plays to the last pair; returns the open end-of-round question."""
        while len(self.found) < len(self.board.cells()):
            self.play_try()
        return self.game.wait_dialog("Yorewind", having=ID_YES)

    def check_revealed(self, question):
        """Every card shows its own picture around the question box."""
        avoid = self.game.client_rect_of(question["rect"])
        states = self.game.cell_states(self.board, avoid)
        expected = dict(self.pictures)
        if self.final_pair:
            # The last two cards are one pair, whatever was known of them before.
            first, second = self.final_pair
            picture = expected.get(first, expected.get(second, states[first]))
            expected[first] = expected[second] = picture
        wrong = {cell: (state, expected[cell]) for cell, state in states.items() if state != expected[cell]}
        if not wrong:
            self.pictures = expected
        return wrong


def check_board_of_backs(test, game, board, timeout=FRAME_TIMEOUT):
    """Asserts a freshly dealt board: every cell a card back at its place, black lines between."""
    game.wait_all_backs(board, timeout)
    shot = game.shot()
    for cell in board.cells():
        test.assertEqual(board.hit_cell(*board.centre(cell)), cell,
                         "a click on the middle of card %s lands on another cell" % (cell,))
    off_corners = [(cell, point) for cell in board.cells() for point in board.corner_points(cell)
                   if not close_to(shot.pixel(*point), CARD_BACK)]
    test.assertEqual(off_corners, [], "card backs reach the corners of their cells")
    rows_seen = [count_back_runs(shot, [(x, board.centre((0, r))[1]) for x in range(shot.width)])
                 for r in range(board.rows)]
    test.assertEqual(rows_seen, [board.columns] * board.rows, "cards counted along each row")
    columns_seen = [count_back_runs(shot, [(board.centre((c, 0))[0], y) for y in range(shot.height)])
                    for c in range(board.columns)]
    test.assertEqual(columns_seen, [board.rows] * board.columns, "cards counted down each column")
    bright = [(x, y, shot.pixel(x, y)) for x, y in board.gap_points() if not is_dark(shot.pixel(x, y))]
    test.assertEqual(bright, [], "the lines between the cards are black")


class GameTestCase(unittest.TestCase):
    """Gives each test a clean settings key, a picture folder and no program left running."""

    def setUp(self):
        _require_environment()
        self.games = []
        self.folder_root = tempfile.mkdtemp(prefix="yw-e2e-")
        wait_no_game_windows()
        clear_settings()

    def tearDown(self):
        try:
            for game in self.games:
                game.kill()
        finally:
            try:
                clear_settings()
            finally:
                shutil.rmtree(self.folder_root, ignore_errors=True)

    def picture_folder(self, count, name="pictures", **kwargs):
        folder = os.path.join(self.folder_root, name)
        make_pictures(folder, count, **kwargs)
        return folder

    def start(self):
        game = Game(self.folder_root)
        self.games.append(game)
        return game

    def start_with_pictures(self, count=18, level=1):
        """Stores a folder of count pictures and the level, starts, and waits for the dealt board."""
        folder = self.picture_folder(count)
        write_settings(path=windows_path(folder), level=level)
        game = self.start()
        game.wait_main()
        board = game.board(level)
        game.wait_all_backs(board, timeout=START_TIMEOUT)
        return game, board, folder

    def exit_by_menu(self, game):
        game.menu(MENU_EXIT)
        self.assertEqual(game.wait_exit(), 0, "exit code after Exit")

    def assert_settings(self, path_text, level):
        settings = read_settings()
        self.assertTrue(settings.get("exists"), "the settings key exists after the program ended")
        self.assertEqual(settings["values"], 2, "the key holds the two values and nothing else")
        picture_path = settings["PicturePath"]
        self.assertIsNotNone(picture_path, "PicturePath is stored")
        self.assertEqual(picture_path["type"], REG_SZ, "PicturePath is a REG_SZ")
        self.assertEqual(picture_path["size"], 260, "PicturePath is stored as the whole 260-byte buffer")
        self.assertEqual(picture_path["text"], path_text)
        stored_level = settings["Level"]
        self.assertIsNotNone(stored_level, "Level is stored")
        self.assertEqual(stored_level["type"], REG_DWORD, "Level is a REG_DWORD")
        self.assertEqual(stored_level["size"], 4)
        self.assertEqual(stored_level["value"], level)


def main():
    _require_environment()
    unittest.main(verbosity=2)
