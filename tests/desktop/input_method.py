"""Japanese typed through a real input method: fcitx5 with the anthy engine, on the test's own
session bus, reached through fcitx5's Qt 6 module as on a user's desktop.

anthy is off until Ctrl+Space switches it on; one state is shared by all windows, so a dialog
opened while it is on finds it on, and only fields that switch it off themselves type ASCII.
Each conversion key waits until the screen shows its effect before the next key goes out, so
the test never depends on how fast the input method answers.
"""

import glob
import shutil
import subprocess
from pathlib import Path

from vurodesk import DesktopError, cp932, run_from_command_line, wait_until

TRIGGER = "ctrl+space"

FCITX_PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
"""

FCITX_CONFIG = """[Hotkey/TriggerKeys]
0=Control+space

[Behavior]
ActiveByDefault=False
ShareInputState=All
"""

# anthy keeps what it learns in the account's home folder whatever HOME says, so the tests
# never teach it: every run converts alike, and parallel runs do not disturb each other.
ANTHY_CONFIG = """[General]
LearnOnManualCommit=False
LearnOnAutoCommit=False
"""

ADDONS = "xcb,dbus,dbusfrontend,keyboard,anthy,classicui"


def start_input_method(desk):
    """A session bus and fcitx5 with anthy for this test; programs started next use them."""
    missing = [f"{tool} (Debian package {package})" for tool, package in
               (("fcitx5", "fcitx5"), ("dbus-daemon", "dbus-x11"), ("dbus-send", "dbus-x11"))
               if not shutil.which(tool)]
    if not Path("/usr/share/fcitx5/addon/anthy.conf").exists():
        missing.append("the anthy engine (Debian package fcitx5-anthy)")
    if not glob.glob("/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so"):
        missing.append("fcitx5's Qt 6 module (Debian package fcitx5-frontend-qt6)")
    if missing:
        raise DesktopError("the input-method tests cannot run, missing: " + ", ".join(missing) +
                           "; ./vuro.sh test installs them")
    config = desk.home / ".config/fcitx5"
    config.mkdir(parents=True, exist_ok=True)
    (config / "profile").write_text(FCITX_PROFILE)
    (config / "config").write_text(FCITX_CONFIG)
    (config / "conf").mkdir(exist_ok=True)
    (config / "conf/anthy.conf").write_text(ANTHY_CONFIG)
    # An abstract socket: the test's folder may be too deep for a socket path.
    desk.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:tmpdir=/tmp",
                "--print-address"], "dbus")
    address = wait_until(lambda: next((line for line in desk._log_text("dbus").splitlines()
                                       if line.startswith("unix:")), None), "the test's session bus")
    desk.env.update({"DBUS_SESSION_BUS_ADDRESS": address, "QT_IM_MODULE": "fcitx", "XMODIFIERS": "@im=fcitx"})
    desk.spawn(["fcitx5", "--disable=all", f"--enable={ADDONS}"], "fcitx5")
    wait_until(lambda: "Loaded addon anthy" in desk._log_text("fcitx5"), "fcitx5 to load anthy")
    wait_for_fcitx(desk, lambda: "InputContext" in fcitx(desk, "DebugInfo"), "fcitx5 to answer on the bus")


def fcitx(desk, method):
    """Calls a method of fcitx5's controller; its answer as text ('' when it does not answer)."""
    return desk.run(["dbus-send", "--session", "--print-reply", "--dest=org.fcitx.Fcitx5", "/controller",
                     f"org.fcitx.Fcitx.Controller1.{method}"], check=False)


def wait_for_fcitx(desk, condition, what):
    try:
        wait_until(condition, what)
    except DesktopError as error:
        raise DesktopError(f"{error}; fcitx5 knows: {fcitx(desk, 'DebugInfo')}") from None


def start_editor(desk, content):
    """The editor on content, once fcitx5 knows its window."""
    start_input_method(desk)
    editor = desk.start_editor(content)
    wait_for_fcitx(desk, lambda: "program:weftpage" in fcitx(desk, "DebugInfo"), "fcitx5 to know the editor")
    return editor


def switch_on(desk):
    desk.key(TRIGGER)
    wait_for_fcitx(desk, lambda: "int32 2" in fcitx(desk, "State"), "anthy to be switched on")


def switch_off(desk):
    desk.key(TRIGGER)
    wait_for_fcitx(desk, lambda: "int32 1" in fcitx(desk, "State"), "anthy to be switched off")


# -- what the screen shows --------------------------------------------------------------------

class Shot:
    """A screenshot's pixels."""

    taken = 0

    def __init__(self, desk):
        Shot.taken += 1
        self.path = desk.screenshot(f"shot{Shot.taken}.png")
        data = subprocess.run(["convert", str(self.path), "ppm:-"], capture_output=True, check=True).stdout
        fields = data.split(maxsplit=4)
        if fields[0] != b"P6" or fields[3] != b"255":
            raise DesktopError(f"unexpected screenshot format {fields[:4]}")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = fields[4]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def strip(self, y, x0, x1):
        start = 3 * (y * self.width)
        return self.pixels[start + 3 * x0:start + 3 * x1]

    def keep(self, desk, name):
        """A copy beside the tests' folders, where it outlives a passing test."""
        target = Path(desk.root).parent / f"input_method-{name}.png"
        shutil.copy(self.path, target)
        return target


def share(shot, box, colour):
    """The part of box (x0, y0, x1, y1) that shows colour."""
    x0, y0, x1, y1 = box
    n = sum(shot.at(px, py) == colour for py in range(y0, y1) for px in range(x0, x1))
    return n / max(1, (x1 - x0) * (y1 - y0))


def box_of(shot, rows, x0, x1, colour):
    """Bounding box of the pixels of colour in rows between x0 and x1, or None."""
    hits = [(px, py) for py in rows for px in range(x0, x1) if shot.at(px, py) == colour]
    if not hits:
        return None
    xs, ys = [p[0] for p in hits], [p[1] for p in hits]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


class Composer:
    """Drives a conversion in a window (frame x, y, w, h on the screen) and watches it there:
    the clause being converted is the block of one colour that appears when conversion starts."""

    def __init__(self, desk, frame):
        self.desk = desk
        self.x0, self.y0 = frame[0], frame[1]
        self.x1, self.y1 = frame[0] + frame[2], frame[1] + frame[3]
        self.colour = None
        self.box = None
        self.shots = {}

    def convert(self, reading):
        """Types reading in romaji and converts it with Space; the first clause is then marked."""
        self.desk.type(reading)
        self.shots["reading"] = before = self._settled(lambda shot: True)
        self.desk.key("space")

        def marked(shot):
            rows = [y for y in range(self.y0, self.y1)
                    if before.strip(y, self.x0, self.x1) != shot.strip(y, self.x0, self.x1)]
            counts = {}
            for y in rows:
                for x in range(self.x0, self.x1):
                    c = shot.at(x, y)
                    if c != before.at(x, y):
                        counts[c] = counts.get(c, 0) + 1
            if not counts:
                return False
            colour = max(counts, key=counts.get)
            box = box_of(shot, rows, self.x0, self.x1, colour)
            if share(shot, box, colour) < 0.5:
                return False
            self.colour, self.box = colour, box
            return True

        self.shots["clause1"] = self._settled(marked, "the first clause to be shown converted")
        return self

    def next_clause(self):
        """Right: the mark moves on to the next clause."""
        old = self.box
        self.desk.key("Right")

        def moved(shot):
            box = box_of(shot, range(old[1], old[3]), self.x0, self.x1, self.colour)
            if not box or box[0] < old[2] - 1 or share(shot, box, self.colour) < 0.5:
                return False
            self.box = box
            return True

        self.shots[f"clause{len(self.shots)}"] = self._settled(moved, "the mark to move to the next clause")
        return self

    def next_candidate(self):
        """Space again: the marked clause shows its next candidate."""
        before = self.shots[list(self.shots)[-1]]
        old = self.box
        self.desk.key("space")

        def changed(shot):
            box = box_of(shot, range(old[1], old[3]), old[0], self.x1, self.colour)
            if not box or any(before.strip(y, box[0], box[2]) != shot.strip(y, box[0], box[2])
                              for y in range(box[1], box[3])):
                self.box = box
                return bool(box)
            return False

        self.shots["candidate"] = self._settled(changed, "the marked clause to change")
        return self

    def commit(self):
        self.desk.key("Return")

    def _settled(self, condition, what="the screen"):
        return wait_until(lambda: (lambda shot: shot if condition(shot) else None)(Shot(self.desk)), what)


def test_one_clause_conversion(desk):
    editor = start_editor(desk, b"<p></p>")
    desk.key("ctrl+Home", "Right", "Right", "Right")
    switch_on(desk)
    Composer(desk, editor.geometry()).convert("nihongo").commit()
    editor.expect_saved(b"<p>" + cp932("日本語") + b"</p>")


def test_multi_clause_conversion_with_the_second_clause_changed(desk):
    editor = start_editor(desk, b"")
    switch_on(desk)
    # 今日は|いい|天気です; the second clause's next candidate is 良い.
    Composer(desk, editor.geometry()).convert("kyouhaiitenkidesu").next_clause().next_candidate().commit()
    editor.expect_saved(cp932("今日は良い天気です"))


def test_a_commit_replaces_the_selection(desk):
    editor = start_editor(desk, b"abc XYZ def")
    desk.key("ctrl+Home", *["Right"] * 4, *["shift+Right"] * 3)
    switch_on(desk)
    Composer(desk, editor.geometry()).convert("nihongo").commit()
    editor.expect_saved(b"abc " + cp932("日本語") + b" def")


def test_escape_during_composition_leaves_the_text_unchanged(desk):
    editor = start_editor(desk, b"abc")
    desk.key("ctrl+End")
    switch_on(desk)
    desk.type("nihongo")
    desk.key("Escape")
    Composer(desk, editor.geometry()).convert("nihongo")
    desk.key("Escape", "Escape")
    # Switching off would commit whatever were still composed; nothing is, so only "x" arrives.
    switch_off(desk)
    desk.type("x")
    editor.expect_saved(b"abcx")


def test_the_clause_being_converted_is_drawn_differently(desk):
    editor = start_editor(desk, b"")
    switch_on(desk)
    composer = Composer(desk, editor.geometry()).convert("kyouhaiitenkidesu")
    box1 = composer.box
    composer.next_clause()
    box2 = composer.box
    reading, first, second = (composer.shots[k] for k in ("reading", "clause1", "clause2"))
    for name, shot in (("reading", reading), ("first-clause", first), ("second-clause", second)):
        shot.keep(desk, name)
    colour = composer.colour
    # One row; the second clause (いい) lies right of the first (今日は) and is narrower.
    assert (box1[1], box1[3]) == (box2[1], box2[3]), (box1, box2)
    assert 0 < box2[2] - box2[0] < box1[2] - box1[0], (box1, box2)
    # The colour marks only the clause being converted, in both pictures; the reading before
    # conversion had none of it.
    assert share(first, box2, colour) == 0 and share(second, box1, colour) == 0, (box1, box2)
    assert share(reading, (box1[0], box1[1], box2[2], box2[3]), colour) == 0
    composer.commit()
    editor.expect_saved(cp932("今日はいい天気です"))


def candidate_window(desk):
    """(x, y, w, h) of fcitx5's candidate window when it is shown, else None."""
    out = desk.run(["xdotool", "search", "--onlyvisible", "--class", "fcitx"], check=False).split()
    for wid in out:
        geometry = desk.run(["xdotool", "getwindowgeometry", "--shell", wid], check=False)
        v = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        if int(v.get("WIDTH", 0)) > 10:
            return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])
    return None


def test_the_candidate_window_opens_at_the_caret_on_a_wrapped_row_after_scrolling(desk):
    # Eighty short lines, then one that wraps over several rows: at its end the caret stands on
    # a wrapped row, and the text has scrolled to show it.
    text = b"".join(b"line %d\r\n" % i for i in range(80)) + b"word " * 150
    editor = start_editor(desk, text)
    desk.key("ctrl+End")
    switch_on(desk)
    composer = Composer(desk, editor.geometry()).convert("kyouhaiitenkidesu")
    window = None
    for _ in range(4):  # anthy lists the candidates after a few presses of Space
        composer.next_candidate()
        window = candidate_window(desk)
        if window:
            break
    assert window, "the candidate window did not open"
    # Its corner touches the preedit's cursor (the start of the clause being converted),
    # below the row or, where the screen ends, above it.
    x0, top, _, bottom = composer.box
    composer.shots["candidate"].keep(desk, "candidates")
    assert abs(window[0] - x0) <= 3, (window, composer.box)
    assert abs(window[1] - bottom) <= 3 or abs(window[1] + window[3] - top) <= 3, (window, composer.box)
    assert top > editor.geometry()[1] + editor.geometry()[3] // 2, "the caret's row is not low in the window"
    composer.commit()
    # Which candidate the first clause ended with does not matter here; the rest arrived whole.
    editor.save()
    wait_until(lambda: editor.saved_bytes().startswith(text) and editor.saved_bytes().endswith(cp932("天気です")),
               "the conversion to be saved behind the text")


def test_the_input_method_stays_off_in_url_path_and_number_fields(desk):
    editor = start_editor(desk, b"")
    switch_on(desk)
    Composer(desk, editor.geometry()).convert("nihongo").commit()
    # The link dialog's URL field.
    editor.open_dialog("ctrl+a", "<A>タグの挿入")
    desk.type("nihongo")
    desk.key("Return")
    editor.wait_active()
    desk.key("End")
    # The image dialog: its path field, and a number field switched on by its button; the
    # alt text takes Japanese, so the input method is on in the dialog.
    dialog = editor.open_dialog("ctrl+m", "<IMG>タグの挿入")
    desk.type("kana")
    desk.key("alt+w", "Tab", "ctrl+a")
    desk.type("12")
    desk.key("alt+a", "alt+a", "Tab", "ctrl+a")
    Composer(desk, dialog.geometry()).convert("nihongo").commit()
    desk.key("Return")
    editor.wait_active()
    editor.expect_saved(cp932("日本語") + b'<a href="nihongo"></a>' +
                        b'<img src="kana" width=12 border=0 alt="' + cp932("日本語") + b'">')


def test_a_click_during_composition_commits_it_where_it_was_composed(desk):
    editor = start_editor(desk, b"abc\r\ndef")
    desk.key("ctrl+End")
    switch_on(desk)
    composer = Composer(desk, editor.geometry()).convert("nihongo")
    # A click on the row above, at the end of "abc" (as wide as "def"), while 日本語 is composed.
    x0, top, _, bottom = composer.box
    desk.click(x0, top - (bottom - top) // 2)
    switch_off(desk)
    desk.type("|")
    editor.expect_saved(b"abc|\r\ndef" + cp932("日本語"))


if __name__ == "__main__":
    run_from_command_line()
