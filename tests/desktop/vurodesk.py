"""Drives the built programs on a private X display the way a user does.

Every test gets its own Xvfb display with openbox (whose key bindings are empty, so every
key reaches the program), its own HOME and XDG folders and its own copy of the program
folder. Keys and mouse go through XTest (xdotool); what the test checks is what a user or
a file sees: saved bytes, window titles, the clipboard, the profile.

A test file defines functions named test_<name>(desk) and ends with `run_from_command_line()`;
CTest runs `python3 <file> <name>`. Waits are for conditions with a generous bound, never
a fixed sleep alone.
"""

import configparser
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

TIMEOUT = 20.0
POLL = 0.05

# What the layer needs, with the Debian package that brings it.
TOOLS = {
    "Xvfb": "xvfb",
    "openbox": "openbox",
    "xdotool": "xdotool",
    "xclip": "xclip",
    "xprop": "x11-utils",
    "import": "imagemagick",
}

# openbox takes no key at all; a click focuses and raises the window under it, and the
# close box closes.
OPENBOX_RC = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse>
    <dragThreshold>1</dragThreshold>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Close">
      <mousebind button="Left" action="Click"><action name="Close"/></mousebind>
    </context>
    <context name="Titlebar">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
  </mouse>
</openbox_config>
"""

# The files of the program folder a run needs; binaries are linked, data files copied so
# that a run never changes the build's own.
PROGRAM_FILES = ["weftpage", "uninstall", "libvurohelp.so", "ifgif.spi", "ifjpeg.spi", "ifpng.spi"]
PROGRAM_DATA = ["vuroskel.dat"]


class DesktopError(AssertionError):
    pass


def cp932(text):
    """The bytes a document holds for text."""
    return text.encode("cp932")


def function_key_file(bindings):
    """The bytes of vurofkey.dat for bindings, which map (F, m) with m 1 Shift, 2 Ctrl,
    3 Alt to a command id (int) or a text (str); every other key is unbound."""
    blocks = []
    for i in range(48):
        f, m = i // 4 + 1, i % 4
        kind, value, text = 0, 0, b""
        binding = bindings.get((f, m))
        if isinstance(binding, int):
            kind, value = 1, binding
        elif isinstance(binding, str):
            kind, value, text = 2, i, cp932(binding)
        blocks.append(struct.pack("<iii", i + 4, kind, value) + text[:255].ljust(255, b"\0"))
    return b"".join(blocks)


def require_tools():
    missing = [f"{tool} (Debian package {pkg})" for tool, pkg in TOOLS.items() if not shutil.which(tool)]
    if missing:
        raise DesktopError("the desktop tests cannot run, missing: " + ", ".join(missing) +
                           "; ./vuro.sh test installs them")


def wait_until(condition, what, timeout=TIMEOUT):
    """Polls condition until it returns something true, and returns that. what says what is
    awaited; a callable is asked only on failure, to tell what was there instead."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DesktopError(f"waited {timeout:.0f} s for {what() if callable(what) else what}")
        time.sleep(POLL)


class Window:
    def __init__(self, desk, wid):
        self.desk = desk
        self.wid = wid

    @property
    def title(self):
        return self.desk.window_title(self.wid)

    def exists(self):
        return self.wid in self.desk.window_ids()

    def wait_title(self, title, timeout=TIMEOUT):
        wait_until(lambda: self.title == title, lambda: f"the title {title!r} (it is {self.title!r})", timeout)

    def wait_active(self):
        wait_until(lambda: self.desk.active_window() == self.wid,
                   f"window {self.title!r} to have the keyboard focus")

    def wait_closed(self, timeout=TIMEOUT):
        wait_until(lambda: not self.exists(), f"window {self.title!r} to close", timeout)

    def close_with(self, *keys):
        """Presses keys in this window and waits for it to close."""
        self.wait_active()
        self.desk.key(*keys)
        self.wait_closed()

    def geometry(self):
        """(x, y, width, height) of the window's inside on the screen."""
        out = self.desk.run(["xwininfo", "-id", str(self.wid)])
        v = {k.strip(): val.strip() for k, _, val in (line.partition(":") for line in out.splitlines())}
        return (int(v["Absolute upper-left X"]), int(v["Absolute upper-left Y"]), int(v["Width"]),
                int(v["Height"]))


    def pixels(self, x, y, width, height):
        """The screen's pixels in a rectangle of the window (coordinates inside it), as
        bytes of RGB triples: what the user sees there."""
        data = subprocess.run(["import", "-window", str(self.wid), "-crop", f"{width}x{height}+{x}+{y}",
                               "+repage", "-depth", "8", "rgb:-"], env=self.desk.env, capture_output=True,
                              timeout=TIMEOUT).stdout
        if len(data) != width * height * 3:
            raise DesktopError(f"a screenshot of window {self.wid} gave {len(data)} bytes")
        return data

    def content(self):
        """All the window's pixels."""
        _, _, width, height = self.geometry()
        return self.pixels(0, 0, width, height)

    def wait_painted(self):
        """Waits until the window shows more than its background. Dialogs put their initial
        state in place on their first paint, so keys typed before it would be overridden."""
        wait_until(lambda: len(set(self.content()[::3])) > 1, f"window {self.title!r} to be painted")

    def press_and_wait_repaint(self, *keys):
        """Presses keys that change what the window shows (a wizard's next page) and waits
        until it shows something else."""
        before = self.content()
        self.desk.key(*keys)
        wait_until(lambda: self.content() != before, f"window {self.title!r} to change after {keys}")

    def activate(self):
        """Clicks the window's title bar, as a user brings a window to the front."""
        x, y, width, _ = self.geometry()
        self.desk.click(x + width // 2, y - 10)
        self.wait_active()

    def click_close_button(self):
        """Clicks the close box of the window manager's title bar (top right)."""
        x, y, width, _ = self.geometry()
        self.desk.click(x + width - 8, y - 10)


class Editor(Window):
    """The editor's main window, the process that shows it and the file it edits."""

    def __init__(self, desk, wid, process, path):
        super().__init__(desk, wid)
        self.process = process
        self.path = path

    def save(self):
        """Ctrl+S; the caption shows the saved state afterwards."""
        self.wait_active()
        self.desk.key("ctrl+s")
        self.wait_title(f"{self.path}-Vuro")

    def choose(self, *keys):
        """Chooses a menu command with the keyboard (Alt+letter, then the item's letter) and
        waits for the menus to close, so that what is typed next reaches the text."""
        self.wait_active()
        self.desk.key(*keys)
        wait_until(lambda: not self.open_menus(), "the menu to close")

    def open_menus(self):
        """The editor's pop-up windows on screen (menus): its visible windows that the window
        manager does not manage."""
        out = self.desk.run(["xdotool", "search", "--onlyvisible", "--classname", "weftpage"], check=False)
        return set(map(int, out.split())) - set(self.desk.window_ids())

    def open_dialog(self, key, title):
        """Presses key in the editor and waits for the window titled title to take the keys."""
        self.wait_active()
        self.desk.key(key)
        return self.desk.wait_window(title)

    def saved_bytes(self):
        return Path(self.path).read_bytes()

    def expect_saved(self, expected):
        """Saves with Ctrl+S and checks the file holds exactly expected."""
        self.save()
        wait_until(lambda: Path(self.path).read_bytes() == expected,
                   lambda: f"the saved file to hold {expected!r}; it holds {self.saved_bytes()!r}")

    def wait_exit(self, timeout=TIMEOUT):
        wait_until(lambda: self.process.poll() is not None, "the editor to end", timeout)
        return self.process.returncode


class Desktop:
    """One private display, window manager, home and program folder."""

    def __init__(self, name):
        require_tools()
        self.bin_source = Path(os.environ.get("VURO_BIN_DIR", Path(__file__).resolve().parents[2] / "build/bin"))
        if not (self.bin_source / "weftpage").exists():
            raise DesktopError(f"no built editor at {self.bin_source}/weftpage: build first")
        base = Path(os.environ.get("VURO_DESKTOP_WORK", tempfile.gettempdir()))
        base.mkdir(parents=True, exist_ok=True)
        self.root = Path(tempfile.mkdtemp(prefix=f"{name}-", dir=base))
        self.home = self.root / "home"
        self.bin = self.root / "bin"
        self.files = self.root / "files"
        self.fakes = self.root / "fakes"
        self.processes = []
        self.logs = []
        for folder in (self.home, self.bin, self.files, self.fakes, self.root / "runtime"):
            folder.mkdir(mode=0o700)
        self.env = self._environment()
        self._copy_program_folder()
        self.display = None
        self._start_display()

    # -- set-up ---------------------------------------------------------------------

    def _environment(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "WAYLAND", "DBUS_", "GTK_", "XMODIFIERS"))}
        env.update({
            "HOME": str(self.home),
            "XDG_CONFIG_HOME": str(self.home / ".config"),
            "XDG_DATA_HOME": str(self.home / ".local/share"),
            "XDG_STATE_HOME": str(self.home / ".local/state"),
            "XDG_CACHE_HOME": str(self.home / ".cache"),
            "XDG_RUNTIME_DIR": str(self.root / "runtime"),
            "PATH": f"{self.fakes}:{os.environ.get('PATH', '/usr/bin:/bin')}",
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        })
        env.pop("BROWSER", None)
        return env

    def _copy_program_folder(self):
        for name in PROGRAM_FILES:
            source = self.bin_source / name
            if source.exists():
                try:
                    os.link(source, self.bin / name)
                except OSError:
                    shutil.copy2(source, self.bin / name)
        for name in PROGRAM_DATA:
            if (self.bin_source / name).exists():
                shutil.copy2(self.bin_source / name, self.bin / name)
        if (self.bin_source / "help").is_dir():
            shutil.copytree(self.bin_source / "help", self.bin / "help")

    def _start_display(self):
        read_end, write_end = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                    "-noreset"], "xvfb", pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + TIMEOUT
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise DesktopError("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise DesktopError("Xvfb ended at start: " + self._log_text("xvfb"))
            number += chunk
        os.close(read_end)
        self.display = f":{int(number)}"
        self.env["DISPLAY"] = self.display
        rc = self.root / "openbox-rc.xml"
        rc.write_text(OPENBOX_RC)
        self.spawn(["openbox", "--config-file", str(rc), "--sm-disable"], "openbox")
        # openbox announces itself on the root window once it manages windows.
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(["xprop", "-root"], check=False),
                   "openbox to manage the display")

    def spawn(self, argv, log_name, **kwargs):
        """Starts a process of this test; it is ended (by its id) when the test ends."""
        log = open(self.root / f"{log_name}.log", "ab")
        self.logs.append(log_name)
        process = subprocess.Popen(argv, env=self.env, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, cwd=self.files, **kwargs)
        log.close()
        self.processes.append(process)
        return process

    def run(self, argv, check=True, input=None):
        result = subprocess.run(argv, env=self.env, capture_output=True, input=input, timeout=TIMEOUT)
        if check and result.returncode != 0:
            raise DesktopError(f"{' '.join(argv)} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("utf-8", errors="replace")

    def _log_text(self, name):
        path = self.root / f"{name}.log"
        return path.read_text(errors="replace") if path.exists() else ""

    # -- files and settings -----------------------------------------------------------

    def write_file(self, name, data):
        path = self.files / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        return str(path)

    def profile(self):
        """The editor's profile as sections of keys; empty when it was never written."""
        parser = configparser.RawConfigParser(strict=False)
        parser.optionxform = str
        path = self.home / ".config/Brellmoor/Vuro.conf"
        if path.exists():
            parser.read(path, encoding="utf-8")
        return parser

    def write_profile(self, text):
        path = self.home / ".config/Brellmoor/Vuro.conf"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")

    def write_function_keys(self, bindings):
        """Writes vurofkey.dat into the program folder (see function_key_file)."""
        (self.bin / "vurofkey.dat").write_bytes(function_key_file(bindings))

    def add_fake_program(self, name, script):
        """A program on PATH in front of the real ones (a shell script)."""
        path = self.fakes / name
        path.write_text("#!/bin/sh\n" + script)
        path.chmod(0o755)
        return str(path)

    # -- windows ----------------------------------------------------------------------

    def window_ids(self):
        out = self.run(["xprop", "-root", "_NET_CLIENT_LIST"], check=False)
        if "#" not in out:
            return []
        return [int(w, 16) for w in out.split("#", 1)[1].replace(",", " ").split()]

    def window_title(self, wid):
        out = subprocess.run(["xdotool", "getwindowname", str(wid)], env=self.env, capture_output=True)
        return out.stdout.decode("utf-8", errors="replace").rstrip("\n") if out.returncode == 0 else None

    def active_window(self):
        out = self.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"], check=False)
        try:
            return int(out.split("#", 1)[1].split(",")[0], 16)
        except (IndexError, ValueError):
            return None

    def find_window(self, title):
        for wid in self.window_ids():
            if self.window_title(wid) == title:
                return Window(self, wid)
        return None

    def wait_window(self, title, timeout=TIMEOUT):
        """Waits for a window titled title to be shown, painted and to have the keyboard focus."""
        window = wait_until(lambda: self.find_window(title),
                            lambda: f"a window titled {title!r}; there are {self.titles()}", timeout)
        window.wait_active()
        window.wait_painted()
        return window

    def titles(self):
        return [self.window_title(w) for w in self.window_ids()]

    # -- the editor -------------------------------------------------------------------

    def start_editor(self, content=None, name="page.html", args=None):
        """Starts the editor on a file holding content (bytes), or on args as given."""
        path = None
        if args is None:
            path = self.write_file(name, content if content is not None else b"")
            args = [path]
        before = set(self.window_ids())
        process = self.spawn([str(self.bin / "weftpage"), *args], "weftpage")
        title = f"{path} - Vuro" if path else "無題 - Vuro"

        def shown():
            if process.poll() is not None:
                raise DesktopError(f"the editor ended at start ({process.returncode}): " +
                                   self._log_text("weftpage"))
            for wid in set(self.window_ids()) - before:
                if self.window_title(wid) == title:
                    return wid
            return None

        editor = Editor(self, wait_until(shown, f"the editor's window {title!r}"), process, path)
        editor.wait_active()
        return editor

    # -- input ------------------------------------------------------------------------

    def key(self, *keys):
        """Presses and releases each key (xdotool names: ctrl+s, shift+Return, F5)."""
        self.run(["xdotool", "key", "--delay", "30", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "30", text])

    def mouse_move(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y)])

    def click(self, x, y, button=1):
        self.run(["xdotool", "mousemove", str(x), str(y), "click", str(button)])

    def drag_files(self, paths, x, y):
        """Drags the files from a file-manager-like window of ours and drops them at (x, y)
        with real mouse motion; the X drag-and-drop protocol does the rest. A drag released
        before the target had answered is ignored by the source and made once more."""
        program = os.environ.get("VURO_DRAG_SOURCE", "")
        if not Path(program).is_file():
            raise DesktopError(f"no drag source program at {program!r} (VURO_DRAG_SOURCE): build first")
        self.spawn([program, *map(str, paths)], "dragsource")
        source = self.wait_window("drag source")
        sx, sy, width, height = source.geometry()
        start = (sx + width // 2, sy + height // 2)
        outcomes = lambda: self._log_text("dragsource").split()
        for attempt in range(1, 4):
            self.run(["xdotool", "mousemove", *map(str, start), "mousedown", "1"])
            # The source sends a position for each motion and the target answers each.
            steps = 10
            for i in range(1, steps + 1):
                self.mouse_move(start[0] + (x - start[0]) * i // steps, start[1] + (y - start[1]) * i // steps)
                time.sleep(0.03)
            for dx in (1, -1, 1, -1):
                self.mouse_move(x + dx, y)
                time.sleep(0.05)
            self.run(["xdotool", "mouseup", "1"])
            wait_until(lambda: len(outcomes()) == attempt, "the drag to end")
            if outcomes()[-1] == "dropped":
                return
        raise DesktopError("the drop was refused three times")

    # -- clipboard ----------------------------------------------------------------------

    def set_clipboard(self, text):
        """Another program (xclip) owns the clipboard with text as UTF-8, until the test ends."""
        path = self.root / "clipboard.txt"
        path.write_bytes(text.encode("utf-8"))
        process = self.spawn(["xclip", "-quiet", "-selection", "clipboard", "-target", "UTF8_STRING",
                              "-i", str(path)], "xclip")
        wait_until(lambda: self.clipboard_text() == text, f"xclip to own the clipboard with {text!r}")
        return process

    def clipboard_text(self):
        """The clipboard as another program reads it (UTF-8), None when nobody owns it."""
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-target", "UTF8_STRING"],
                                env=self.env, capture_output=True, timeout=TIMEOUT)
        return result.stdout.decode("utf-8") if result.returncode == 0 else None

    # -- evidence and clean-up --------------------------------------------------------

    def screenshot(self, name="screen.png"):
        path = self.root / name
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, capture_output=True,
                       timeout=TIMEOUT)
        return path

    def close(self, keep):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if not keep:
            shutil.rmtree(self.root, ignore_errors=True)


def run_from_command_line():
    """Runs the test named on the command line (or all of the calling file's tests)."""
    module = sys.modules["__main__"]
    names = sys.argv[1:] or [n[5:] for n in dir(module) if n.startswith("test_")]
    failed = 0
    for name in names:
        test = getattr(module, "test_" + name, None)
        if test is None:
            print(f"no test named {name}", file=sys.stderr)
            sys.exit(2)
        desk = Desktop(name)
        started = time.monotonic()
        try:
            test(desk)
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)")
            desk.close(keep=False)
        except BaseException:
            failed += 1
            traceback.print_exc()
            shot = desk.screenshot("failure.png")
            print(f"FAIL {name}: screenshot {shot}, windows {desk.titles()}", file=sys.stderr)
            for log in dict.fromkeys(desk.logs):
                text = desk._log_text(log).strip()
                if text and log not in ("openbox", "xvfb"):
                    print(f"--- {log}.log\n{text[-3000:]}", file=sys.stderr)
            desk.close(keep=True)
    sys.exit(1 if failed else 0)
